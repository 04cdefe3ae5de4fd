#!/bin/bash
# Every program kind, monthly and fortnightly, on the sample work, and the
# resource programs on the generated "mediana" work: each workbook
# recalculated by LibreOffice headless and checked against the calculation's
# JSON dump (foot rows, resource totals per input, the S-curve charts).
# Arguments: $1 = promorlaqel binary, $2 = build directory, $3 = "mediana" to
# check the resource programs of a generated 2,000-line work instead.
set -euo pipefail
source "$(dirname "$0")/../../apoyo/muestra.sh"

revisa() {  # bd obra tipo importes|cantidades mensual|quincenal
  local bd=$1 obra=$2 tipo=$3 modo=$4 periodo=$5
  local per=1 extra=()
  [ "$periodo" = quincenal ] && per=0
  [ "$modo" = cantidades ] && extra=(--cantidades)
  local nombre="$obra-$tipo-$modo-$periodo"
  "$BIN" programa --bd "$bd" --obra "$obra" --tipo "$tipo" "${extra[@]}" --opcion TipoPeriodo=$per \
    --salida "$nombre.xlsx"
  [ -f "volcado-$obra-$per.json" ] ||
    "$BIN" calcular --bd "$bd" --obra "$obra" --json --opcion TipoPeriodo=$per > "volcado-$obra-$per.json"
  "$PY" "$FUENTE/tests/reports/program/verifica_programa.py" "$nombre.xlsx" "volcado-$obra-$per.json" \
    "$tipo" "$modo" || { echo "falla: $nombre"; exit 1; }
}

if [ "${3:-}" != mediana ]; then
  for periodo in mensual quincenal; do
    for tipo in 0 1 2 3 4; do revisa obra.db CASA01 $tipo importes $periodo; done
    revisa obra.db CASA01 4 cantidades $periodo
  done
  revisa obra.db A7 1 importes quincenal
else
  # A work of 2,000 lines: each resource program about a minute.
  GENERADOR=$CONSTRUCCION/bench/pmq_genera_base
  if [ ! -x "$GENERADOR" ]; then
    echo "sin $GENERADOR: no se revisa la obra mediana"
    exit 77
  fi
  "$GENERADOR" --tamano mediana --semilla 1 --salida mediana.db > /dev/null
  revisa mediana.db BENCH 2 importes mensual
  revisa mediana.db BENCH 3 cantidades mensual
  revisa mediana.db BENCH 4 importes quincenal
fi

echo "programas: bien"
