#!/usr/bin/env bash
# The library as a host program uses it: installs this build into a temporary
# prefix, checks what was installed, builds examples/host_minimo against it
# with find_package and again with pkg-config, and runs both on the sample
# database: the work totals and every line amount must equal what
# `promorlaqel calcular --json` reports, and the two workbooks the host writes
# must be the ones the program writes. $1 = promorlaqel binary, $2 = build dir.
set -uo pipefail
source "$(dirname "$0")/../apoyo/muestra.sh"
prefijo="$TMP/prefijo"

pasan=0
fallan=0
falla() { fallan=$((fallan + 1)); echo "FALLA: $*"; }
pasa() { pasan=$((pasan + 1)); }
termina() { echo "$pasan passed, $fallan failed"; [ "$fallan" -eq 0 ]; exit $?; }

if ! cmake --install "$CONSTRUCCION" --prefix "$prefijo" >"$TMP/instala.log" 2>&1; then
  falla "cmake --install"; cat "$TMP/instala.log"; termina
fi

# ------------------------------------------------------------- what is installed
lib="$(find "$prefijo" -name 'libpromorlaqel.so' | head -1)"
[ -n "$lib" ] && pasa || falla "no se instaló libpromorlaqel.so"
inc="$prefijo/include/promorlaqel"
for f in promorlaqel.h model/programa.h common/moneda.h reports/program/programas_ctrl.h; do
  [ -f "$inc/$f" ] && pasa || falla "falta el encabezado $f"
done
for privado in cli sheet common/host_consola.h common/host_grabador.h db/motor_sqlite.h \
    db/motor_postgres.h reports/program/frm_programas_obra.h; do
  [ ! -e "$inc/$privado" ] && pasa || falla "se instaló $privado, que es privado"
done
# Public headers reach each other as <promorlaqel/…> only.
relativos="$(grep -rl '#include "' "$inc")"
[ -z "$relativos" ] && pasa || falla "encabezados instalados con #include \"…\": $relativos"
[ -n "$(find "$prefijo" -name ProMorlaQelConfig.cmake)" ] && pasa || falla "falta ProMorlaQelConfig.cmake"
pc="$(find "$prefijo" -name promorlaqel.pc | head -1)"
[ -n "$pc" ] && pasa || falla "falta promorlaqel.pc"
[ -x "$prefijo/bin/promorlaqel" ] && pasa || falla "falta el programa promorlaqel"

# The installed headers must stand on their own: only the standard library.
privados="$(grep -rlE '#include <(sqlite3|libpq-fe|xlsxwriter|nlohmann/|fmt/|CLI/)' "$inc")"
[ -z "$privados" ] && pasa || falla "encabezados instalados que piden dependencias privadas: $privados"

# The shared library must not need symbols only the static core's users get.
if nm -D --undefined-only "$lib" | grep -q ' U _ZN3pmq'; then
  falla "libpromorlaqel.so deja sin definir símbolos propios: $(nm -D --undefined-only "$lib" | grep ' U _ZN3pmq' | head -3)"
else
  pasa
fi

# ------------------------------------------------------------- build the host two ways
compilador="$(sed -n 's/^CMAKE_CXX_COMPILER:[A-Z]*=//p' "$CONSTRUCCION/CMakeCache.txt")"
if cmake -S "$FUENTE/examples/host_minimo" -B "$TMP/host" -G Ninja -DCMAKE_PREFIX_PATH="$prefijo" \
     ${compilador:+-DCMAKE_CXX_COMPILER="$compilador"} >"$TMP/host.log" 2>&1 \
   && cmake --build "$TMP/host" >>"$TMP/host.log" 2>&1; then
  pasa
else
  falla "el host mínimo no se construye con find_package(ProMorlaQel)"; cat "$TMP/host.log"; termina
fi

export PKG_CONFIG_PATH="$(dirname "$pc")"
libdir="$(pkg-config --variable=libdir promorlaqel)"
# shellcheck disable=SC2046
if "${compilador:-c++}" -o "$TMP/host_pc" "$FUENTE/examples/host_minimo/main.cpp" \
     $(pkg-config --cflags --libs promorlaqel) -Wl,-rpath,"$libdir" 2>"$TMP/pc.log"; then
  pasa
else
  falla "el host mínimo no se construye con pkg-config"; cat "$TMP/pc.log"; termina
fi

# ------------------------------------------------------------- run it on the sample
bd="$TMP/obra.db"
# A workbook's parts but its properties (which carry the time of writing).
partes() { unzip -Z1 "$1" | grep -v '^docProps/'; unzip -p "$1" -x 'docProps/*'; }
for obra in A7 CASA01; do
  if ! "$BIN" calcular --bd "$bd" --obra "$obra" --json --opcion DesglosarMaquinaria=si >"$TMP/$obra.json"; then
    falla "calcular $obra"; continue
  fi
  # Expected: the total line, then one line per budget line (section, front,
  # concept, amount, the concept's direct unit cost), from the JSON dump.
  "$PY" - "$TMP/$obra.json" >"$TMP/$obra.esperado" <<'PY'
import json, sys
d = json.load(open(sys.argv[1]))
def t(x):  # money as the library's exact decimal text
    s = f"{x:.4f}".rstrip("0").rstrip(".")
    return "0" if s in ("-0", "") else s
conceptos = {c["Des"]["Clave"]: c for c in d["Conceptos"]}
print("Importe total:", t(d["Obra"]["ImporteTotal"]))
for p in d["Obra"]["Partidas"]:
    for l in p["Presups"]:
        c = conceptos.get(l["Concepto"])
        e = c["Explosion"] if c else None
        print(p["Des"]["Clave"], l["Des"]["Frente"], l["Concepto"] or "-", t(l["Des"]["Importe"]),
              t(e["Total"]) if e else "-", sep="\t")
PY
  "$BIN" programa --bd "$bd" --obra "$obra" --tipo 1 --salida "$TMP/$obra.prog.xlsx" 2>/dev/null
  "$BIN" resumen --bd "$bd" --obra "$obra" --salida "$TMP/$obra.res.xlsx" >/dev/null 2>&1
  for host in "$TMP/host/host_minimo" "$TMP/host_pc"; do
    rm -f "$TMP/h.prog.xlsx" "$TMP/h.res.xlsx"
    if ! "$host" "$bd" "$obra" "$TMP/h.prog.xlsx" "$TMP/h.res.xlsx" >"$TMP/$obra.salida" 2>"$TMP/$obra.err"; then
      falla "$(basename "$host") $obra terminó con error"; cat "$TMP/$obra.err"; continue
    fi
    [ ! -s "$TMP/$obra.err" ] && pasa || { falla "$(basename "$host") $obra escribió en stderr"; cat "$TMP/$obra.err"; }
    # Drop the quantity column (4th) of the line rows; keep the total line.
    obtenido="$(sed -n '2p' "$TMP/$obra.salida"; sed -n '3,$p' "$TMP/$obra.salida" | cut -f1-3,5-)"
    if [ "$obtenido" == "$(cat "$TMP/$obra.esperado")" ]; then
      pasa
    else
      falla "$(basename "$host") $obra no da las cifras de calcular --json"
      diff <(echo "$obtenido") "$TMP/$obra.esperado" | head -10
    fi
    # The workbooks hold what the program's do (the same parts, byte for byte).
    for par in "prog:$obra.prog" "res:$obra.res"; do
      if cmp -s <(partes "$TMP/h.${par%%:*}.xlsx") <(partes "$TMP/${par#*:}.xlsx"); then
        pasa
      else
        falla "$(basename "$host") $obra: el libro ${par%%:*} no es el del programa"
      fi
    done
  done
done
termina
