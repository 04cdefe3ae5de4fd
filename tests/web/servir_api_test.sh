#!/usr/bin/env bash
# The API of `promorlaqel servir`: documents equal to the command line's, errors,
# token, parallel requests, the database going away. Args: PROMORLAQEL BUILD_DIR
set -euo pipefail
PY=/usr/bin/python3
[ -x "$PY" ] || PY=python3
exec "$PY" "$(dirname "$0")/servir_api.py" "$1" "$2"
