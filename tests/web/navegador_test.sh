#!/usr/bin/env bash
# The pages of `promorlaqel servir` in headless Chromium. Args: PROMORLAQEL BUILD_DIR
# Skipped (77) when Chromium, its driver or Selenium is missing.
set -euo pipefail
PY=/usr/bin/python3
[ -x "$PY" ] || PY=python3
if [ ! -x /usr/bin/chromium ] || [ ! -x /usr/bin/chromedriver ] || ! "$PY" -c 'import selenium' 2>/dev/null; then
  echo "navegador: falta chromium, chromium-driver o python3-selenium (scripts/setup los instala)"
  exit 77
fi
exec "$PY" "$(dirname "$0")/navegador.py" "$1" "$2"
