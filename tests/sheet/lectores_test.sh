#!/bin/bash
# The sample's workbooks and a 3,000-line section's, as LibreOffice and
# Gnumeric see them (revisa_presentacion.py): printed to PDF they show no
# "###" and every page is landscape, the sample's program takes at most 4
# pages, and every formula recalculated by either reader equals the value
# cached in the file, with no warning from either. Slow: labelled "lento".
# Arguments: $1 = promorlaqel binary, $2 = build directory.
set -euo pipefail
source "$(dirname "$0")/libros_muestra.sh"

"$PY" "$FUENTE/tests/apoyo/revisa_presentacion.py" programa-obra.xlsx --paginas-max 4
for libro in resumen-estimaciones larga-programa larga-resumen; do
  "$PY" "$FUENTE/tests/apoyo/revisa_presentacion.py" $libro.xlsx
done
