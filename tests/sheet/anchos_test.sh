#!/bin/bash
# Every cell of the sample's workbooks and of a 3,000-line section's fits
# where it is shown: numbers in their column or merged block, unwrapped texts
# in their column, wrapped texts in their row's height (revisa_anchos.py reads
# the files' XML on its own). The subtotals of the long section are SUM over
# the section's rows.
# Arguments: $1 = promorlaqel binary, $2 = build directory.
set -euo pipefail
BIN=$(realpath "$1")
CONSTRUCCION=$(realpath "$2")
FUENTE=$(cd "$(dirname "$0")/../.." && pwd)
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
cd "$TMP"
source "$FUENTE/tests/sheet/libros_muestra.sh"

python3 "$FUENTE/tests/sheet/revisa_anchos.py" programa-obra.xlsx resumen-estimaciones.xlsx \
  larga-programa.xlsx larga-resumen.xlsx

# The long section's subtotals: one SUM each, over its line rows.
unzip -p larga-resumen.xlsx xl/worksheets/sheet1.xml | grep -q '<f>SUM(H10:H3009)</f>'
unzip -p larga-programa.xlsx xl/worksheets/sheet1.xml | grep -q '<f>SUM(H17:H6015)</f>'
# The sample keeps its chains of "+".
if unzip -p resumen-estimaciones.xlsx xl/worksheets/sheet1.xml | grep -q 'SUM('; then
  echo "el resumen de la muestra no debe usar SUM" >&2
  exit 1
fi

# How each sheet prints and opens, and the file's properties.
hoja() { unzip -p "$1" xl/worksheets/sheet1.xml; }
esta() {
  if ! grep -qF -- "$2" <<< "$1"; then
    echo "falta $2" >&2
    exit 1
  fi
}
p=$(hoja programa-obra.xlsx)
esta "$p" '<pageSetup paperSize="3" fitToHeight="0" orientation="landscape"/>'
esta "$p" '<pane xSplit="3" ySplit="13" topLeftCell="D14" activePane="bottomRight" state="frozen"/>'
esta "$p" '<oddHeader>&amp;LCASA01 Construcción de casa habitación'
esta "$p" '<oddFooter>&amp;CPágina &amp;P de &amp;N</oddFooter>'
esta "$p" '<pageSetUpPr fitToPage="1"/>'
r=$(hoja resumen-estimaciones.xlsx)
esta "$r" '<pageSetup paperSize="1" fitToHeight="0" orientation="landscape"/>'
esta "$r" '<pane xSplit="3" ySplit="7" topLeftCell="D8" activePane="bottomRight" state="frozen"/>'
esta "$r" '<autoFilter ref="A7:V67"/>'
esta "$(unzip -p programa-obra.xlsx xl/workbook.xml)" "'Programa Obra'!\$12:\$13"
esta "$(unzip -p resumen-estimaciones.xlsx xl/workbook.xml)" 'Resumen!$4:$7'
esta "$(unzip -p resumen-estimaciones.xlsx xl/workbook.xml)" 'Resumen!$A$1:$V$67'
esta "$(unzip -p programa-obra.xlsx docProps/core.xml)" '<dc:title>PROGRAMA DE MONTOS MENSUALES</dc:title>'
esta "$(unzip -p resumen-estimaciones.xlsx docProps/core.xml)" '<dc:subject>CASA01 Construcción'
esta "$(unzip -p resumen-estimaciones.xlsx xl/styles.xml)" 'formatCode="&quot;$&quot;#,##0.00_);(&quot;$&quot;#,##0.00)"'
echo "presentación: anchos, impresión, paneles, filtro y propiedades correctos"
