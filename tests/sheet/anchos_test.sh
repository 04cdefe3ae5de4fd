#!/bin/bash
# Every cell of the sample's workbooks and of a 3,000-line section's fits
# where it is shown: numbers in their column or merged block, unwrapped texts
# in their column, wrapped texts in their row's height (revisa_anchos.py reads
# the files with openpyxl). The subtotals of the long section are SUM over
# the section's rows.
# Arguments: $1 = promorlaqel binary, $2 = build directory.
set -euo pipefail
source "$(dirname "$0")/libros_muestra.sh"

# The other program kinds (with their "Consolidado" sheets), fortnightly too.
for t in 0 2 3 4; do
  "$BIN" programa --bd obra.db --obra CASA01 --tipo $t --salida tipo$t.xlsx
done
"$BIN" programa --bd obra.db --obra CASA01 --tipo 4 --cantidades --opcion TipoPeriodo=0 \
  --salida tipo4q.xlsx
"$PY" "$FUENTE/tests/sheet/revisa_anchos.py" programa-obra.xlsx resumen-estimaciones.xlsx \
  larga-programa.xlsx larga-resumen.xlsx tipo0.xlsx tipo2.xlsx tipo3.xlsx tipo4.xlsx tipo4q.xlsx

# What the files hold: the long section's subtotals (one SUM each, over its
# line rows), how each sheet prints and opens, and the file's properties.
# One check a line: workbook|part|text it holds.
while IFS='|' read -r libro parte texto; do
  if ! unzip -p "$libro" "$parte" | grep -F -- "$texto" > /dev/null; then
    echo "falta en $libro $parte: $texto" >&2
    exit 1
  fi
done <<'FIN'
larga-resumen.xlsx|xl/worksheets/sheet1.xml|<f>SUM(H10:H3009)</f>
larga-programa.xlsx|xl/worksheets/sheet1.xml|<f>SUM(H17:H6015)</f>
programa-obra.xlsx|xl/worksheets/sheet1.xml|<pageSetup paperSize="3" fitToHeight="0" orientation="landscape"/>
programa-obra.xlsx|xl/worksheets/sheet1.xml|<pane xSplit="3" ySplit="13" topLeftCell="D14" activePane="bottomRight" state="frozen"/>
programa-obra.xlsx|xl/worksheets/sheet1.xml|<oddHeader>&amp;LCASA01 Construcción de casa habitación
programa-obra.xlsx|xl/worksheets/sheet1.xml|<oddFooter>&amp;CPágina &amp;P de &amp;N</oddFooter>
programa-obra.xlsx|xl/worksheets/sheet1.xml|<pageSetUpPr fitToPage="1"/>
tipo0.xlsx|xl/worksheets/sheet1.xml|<pane xSplit="3" ySplit="13" topLeftCell="D14" activePane="bottomRight" state="frozen"/>
tipo4q.xlsx|xl/worksheets/sheet1.xml|<pane xSplit="3" ySplit="13" topLeftCell="D14" activePane="bottomRight" state="frozen"/>
tipo4q.xlsx|xl/worksheets/sheet2.xml|<pageSetup paperSize="3" fitToHeight="0" orientation="landscape"/>
tipo4q.xlsx|xl/worksheets/sheet2.xml|<pane xSplit="2" ySplit="13" topLeftCell="C14" activePane="bottomRight" state="frozen"/>
programa-obra.xlsx|xl/worksheets/sheet2.xml|orientation="landscape"
resumen-estimaciones.xlsx|xl/worksheets/sheet1.xml|<pageSetup paperSize="1" fitToHeight="0" orientation="landscape"/>
resumen-estimaciones.xlsx|xl/worksheets/sheet1.xml|<pane xSplit="3" ySplit="7" topLeftCell="D8" activePane="bottomRight" state="frozen"/>
resumen-estimaciones.xlsx|xl/worksheets/sheet1.xml|<autoFilter ref="A7:V67"/>
programa-obra.xlsx|xl/workbook.xml|'Programa Obra'!$12:$13
resumen-estimaciones.xlsx|xl/workbook.xml|Resumen!$4:$7
resumen-estimaciones.xlsx|xl/workbook.xml|Resumen!$A$1:$V$67
programa-obra.xlsx|docProps/core.xml|<dc:title>PROGRAMA DE MONTOS MENSUALES</dc:title>
resumen-estimaciones.xlsx|docProps/core.xml|<dc:subject>CASA01 Construcción
resumen-estimaciones.xlsx|xl/styles.xml|formatCode="&quot;$&quot;#,##0.00_);(&quot;$&quot;#,##0.00)"
FIN
# The sample keeps its chains of "+".
if unzip -p resumen-estimaciones.xlsx xl/worksheets/sheet1.xml | grep -q 'SUM('; then
  echo "el resumen de la muestra no debe usar SUM" >&2
  exit 1
fi
echo "presentación: anchos, impresión, paneles, filtro y propiedades correctos"
