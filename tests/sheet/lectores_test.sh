#!/bin/bash
# The sample's workbooks and a 3,000-line section's, as LibreOffice and
# Gnumeric see them (revisa_presentacion.py): printed to PDF they show no
# "###" and every page is landscape, the sample's program takes at most 4
# pages, and every formula recalculated by either reader equals the value
# cached in the file, with no warning from either. Slow: labelled "lento".
# Arguments: $1 = promorlaqel binary, $2 = build directory.
set -euo pipefail
BIN=$(realpath "$1")
CONSTRUCCION=$(realpath "$2")
FUENTE=$(cd "$(dirname "$0")/../.." && pwd)
PY=/usr/bin/python3
[ -x "$PY" ] || PY=python3
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
cd "$TMP"
source "$FUENTE/tests/sheet/libros_muestra.sh"

"$PY" "$FUENTE/tests/apoyo/revisa_presentacion.py" programa-obra.xlsx --paginas-max 4
"$PY" "$FUENTE/tests/apoyo/revisa_presentacion.py" resumen-estimaciones.xlsx
"$PY" "$FUENTE/tests/apoyo/revisa_presentacion.py" larga-programa.xlsx
"$PY" "$FUENTE/tests/apoyo/revisa_presentacion.py" larga-resumen.xlsx
