# Sourced by the script tests: takes the caller's arguments ($1 = promorlaqel
# binary, $2 = build directory) as BIN and CONSTRUCCION, sets FUENTE (the
# checkout) and PY (Debian's python, which carries openpyxl), and leaves the
# caller in a throwaway folder, removed on exit, holding the sample database
# obra.db.
BIN=$(realpath "$1")
CONSTRUCCION=$(realpath "$2")
FUENTE=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
PY=/usr/bin/python3
[ -x "$PY" ] || PY=python3
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
cd "$TMP"
"$BIN" ejemplo --salida obra.db > /dev/null
