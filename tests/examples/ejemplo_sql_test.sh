#!/usr/bin/env bash
# Checks the sample project database script (examples/obra_ejemplo.sql) on its own:
# it must load with the shipped schema into SQLite without a single error, and the
# rows must keep the invariants the program and the reports rely on (references
# and amounts).
# Arguments as every script test: $1 = promorlaqel binary, $2 = build dir; neither
# is needed here, only the sqlite3 command line tool and the repository files.
set -uo pipefail

raiz="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
esquema="$raiz/src/db/esquema.sql"
ejemplo="$raiz/examples/obra_ejemplo.sql"

if ! command -v sqlite3 >/dev/null 2>&1; then
  echo "FALLA: no se encontró sqlite3 (scripts/setup lo instala)"
  exit 1
fi

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
bd="$tmp/obra.db"

# Schema first, then the sample, as the program does; any SQL error stops here.
if ! sqlite3 -bail "$bd" ".read $esquema" ".read $ejemplo" >"$tmp/salida" 2>"$tmp/errores" \
   || [ -s "$tmp/errores" ]; then
  echo "FALLA: el script de ejemplo no carga sobre el esquema"
  cat "$tmp/errores"
  echo "0 passed, 1 failed"
  exit 1
fi

pasan=0
fallan=0

# comprueba DESCRIPCION ESPERADO SQL: the query must print exactly ESPERADO.
comprueba() {
  local descripcion="$1" esperado="$2" sql="$3" obtenido
  obtenido="$(sqlite3 -bail "$bd" "$sql" 2>&1)"
  if [ "$obtenido" == "$esperado" ]; then
    pasan=$((pasan + 1))
  else
    fallan=$((fallan + 1))
    echo "FALLA: $descripcion"
    echo "  esperado: $esperado"
    echo "  obtenido: $obtenido"
  fi
}

# ---------------------------------------------------------------- references
# Every reference resolves: analyses to the catalogue (and every composite has
# one), budget and estimate rows to concepts, estimate rows to budget lines and
# to EST1, hourly-cost inputs to concepts, every work to its four header rows.
comprueba "referencias entre tablas" 0 "
  WITH insumo(maq, concepto) AS (
    SELECT MAQUINA, GASOLINA FROM MAQUINA UNION ALL SELECT MAQUINA, DIESEL FROM MAQUINA
    UNION ALL SELECT MAQUINA, O_FUENTES FROM MAQUINA UNION ALL SELECT MAQUINA, O_CONSUM FROM MAQUINA
    UNION ALL SELECT MAQUINA, ACEITE FROM MAQUINA UNION ALL SELECT MAQUINA, LLANTAS FROM MAQUINA
    UNION ALL SELECT MAQUINA, PZAS_ESP FROM MAQUINA UNION ALL SELECT MAQUINA, CUADRILLA FROM MAQUINA)
  SELECT (SELECT count(*) FROM MATRICES m WHERE m.MATRIZ NOT IN (SELECT CONCEPTO FROM CONCEPTO)
            OR m.CONCEPTO NOT IN (SELECT CONCEPTO FROM CONCEPTO))
       + (SELECT count(*) FROM CONCEPTO c WHERE c.TIPO IN (4, 5, 8, 9)
            AND c.CONCEPTO NOT IN (SELECT MATRIZ FROM MATRICES))
       + (SELECT count(*) FROM PRESUPS WHERE CONCEPTO NOT IN (SELECT CONCEPTO FROM CONCEPTO))
       + (SELECT count(*) FROM EST2 e WHERE NOT EXISTS (SELECT 1 FROM PRESUPS p WHERE p.OBRA = e.OBRA
            AND p.PARTIDA = e.PARTIDA AND p.FRENTE = e.FRENTE AND p.CONCEPTO = e.CONCEPTO)
            OR NOT EXISTS (SELECT 1 FROM EST1 x WHERE x.OBRA = e.OBRA AND x.ESTIMACION = e.ESTIMACION))
       + (SELECT count(*) FROM insumo WHERE concepto NOT IN (SELECT CONCEPTO FROM CONCEPTO))
       + (SELECT count(*) FROM OBRAS o WHERE o.OBRA NOT IN (SELECT OBRA FROM FSR)
            OR o.OBRA NOT IN (SELECT OBRA FROM FSCD) OR o.OBRA NOT IN (SELECT OBRA FROM FACMAQ));"

comprueba "importes: renglón y cobro = PUNIT × cantidad en centavos; partida = suma de renglones" 0 "
  SELECT (SELECT count(*) FROM PRESUPS WHERE abs(IMPORTE - PUNIT * CANT_PRES) > 0.005 + 1e-9)
       + (SELECT count(*) FROM EST2 WHERE abs(IMPORTE - PUNIT * CANT_EST) > 0.005 + 1e-9)
       + (SELECT count(*) FROM PARTIDAS x WHERE abs(x.IMPORTE - (SELECT coalesce(sum(p.IMPORTE), 0)
            FROM PRESUPS p WHERE p.OBRA = x.OBRA AND p.PARTIDA = x.PARTIDA)) > 0.004);"

echo "$pasan passed, $fallan failed"
[ "$fallan" -eq 0 ]
