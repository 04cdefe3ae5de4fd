# Sourced by the presentation tests: writes, in the current folder, the two
# workbooks of the sample house CASA01 (programa-obra.xlsx,
# resumen-estimaciones.xlsx) and of a generated work whose one section has
# 3,000 lines (larga-programa.xlsx, larga-resumen.xlsx).
# Takes the caller's arguments, and leaves it in a throwaway folder, as
# tests/apoyo/muestra.sh does.
source "$(dirname "${BASH_SOURCE[0]}")/../apoyo/muestra.sh"
GENERADOR="$CONSTRUCCION/bench/pmq_genera_base"
"$BIN" programa --bd obra.db --obra CASA01 --salida programa-obra.xlsx
"$BIN" resumen --bd obra.db --obra CASA01 --salida resumen-estimaciones.xlsx > /dev/null
if [ ! -x "$GENERADOR" ]; then
  echo "falta $GENERADOR (configure con PMQ_BENCH=ON)" >&2
  exit 1
fi
"$GENERADOR" --tamano mini --lineas 3000 --lineas-por-partida 3000 --conceptos 4000 --meses 3 \
  --salida larga.db > /dev/null
"$BIN" programa --bd larga.db --obra BENCH --salida larga-programa.xlsx
"$BIN" resumen --bd larga.db --obra BENCH --salida larga-resumen.xlsx > /dev/null
