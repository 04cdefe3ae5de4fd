#!/bin/bash
# `promorlaqel resumen` end to end: the grid as JSON and CSV, and the workbook
# recalculated by LibreOffice headless, checked against the database for both
# unit-price settings; a work without estimates; usage and help.
# Arguments: $1 = promorlaqel binary, $2 = build directory.
set -euo pipefail
BIN=$(realpath "$1")
FUENTE=$(cd "$(dirname "$0")/../../.." && pwd)
PY=/usr/bin/python3
[ -x "$PY" ] || PY=python3
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
cd "$TMP"

"$PY" - "$FUENTE" <<'FIN'
import sqlite3, sys
fuente = sys.argv[1]
con = sqlite3.connect("obra.db")
con.executescript(open(fuente + "/src/db/esquema.sql", encoding="utf-8").read())
con.executescript(open(fuente + "/tests/reports/summary/obra_resumen.sql", encoding="utf-8").read())
con.commit()
FIN

for C in 2 3; do
  extra=()
  [ "$C" = 3 ] && extra=(--punit-por-estimacion)
  "$BIN" resumen --bd obra.db --obra A7 --formato json --salida "r$C.xlsx" "${extra[@]}" > grid.json
  "$BIN" resumen --bd obra.db --obra A7 --formato csv "${extra[@]}" > grid.csv
  "$PY" "$FUENTE/tests/apoyo/recalcula.py" "r$C.xlsx" "r$C.json"
  "$PY" "$FUENTE/tests/reports/summary/verifica_resumen.py" obra.db A7 grid.json grid.csv "r$C.xlsx" "r$C.json" "$C"
done

# No estimates: ten columns, and the pending volume is the definitive one.
"$BIN" resumen --bd obra.db --obra B2 --formato json --salida b.xlsx > grid.json
"$BIN" resumen --bd obra.db --obra B2 --formato csv > grid.csv
"$PY" "$FUENTE/tests/apoyo/recalcula.py" b.xlsx b.json
"$PY" "$FUENTE/tests/reports/summary/verifica_resumen.py" obra.db B2 grid.json grid.csv b.xlsx b.json 2

# Text for people: one line per section and line plus the headings.
"$BIN" resumen --bd obra.db --obra A7 > texto.txt
[ "$(wc -l < texto.txt)" -eq 7 ] || { echo "texto: $(cat texto.txt)"; exit 1; }
grep -q "^01  *Preliminares" texto.txt
grep -q "E2 Importe" texto.txt

# A name that is not a workbook is a usage error; a path that cannot be written fails.
set +e
"$BIN" resumen --bd obra.db --obra A7 --salida r.txt > /dev/null 2>&1; [ $? -eq 64 ] || exit 1
"$BIN" resumen --bd obra.db --obra A7 --salida no/existe/r.xlsx > /dev/null 2>err.txt; [ $? -eq 1 ] || exit 1
"$BIN" resumen --bd no-existe.db --obra A7 > /dev/null 2>&1; [ $? -eq 1 ] || exit 1
set -e
"$BIN" resumen --help | tail -n 3 | grep -q "Ejemplo: promorlaqel resumen"
echo "resumen: bien"
