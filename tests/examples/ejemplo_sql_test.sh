#!/usr/bin/env bash
# Checks the sample project database script (examples/obra_ejemplo.sql) on its own:
# it must load with the shipped schema into SQLite without a single error, and the
# rows must keep the invariants the program and the reports rely on (references,
# keys, amounts, dates, the walk-through work A7 and the four-estimate house).
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
comprueba "MATRICES apunta al catálogo; cada análisis es de un compuesto (básico, P.U., cuadrilla, \
integrado) y cada compuesto tiene análisis" "0|0|0" "
  SELECT (SELECT count(*) FROM MATRICES m
          WHERE NOT EXISTS (SELECT 1 FROM CONCEPTO c WHERE c.CONCEPTO = m.MATRIZ)
             OR NOT EXISTS (SELECT 1 FROM CONCEPTO c WHERE c.CONCEPTO = m.CONCEPTO)),
         (SELECT count(*) FROM MATRICES m JOIN CONCEPTO c ON c.CONCEPTO = m.MATRIZ WHERE c.TIPO NOT IN (4, 5, 8, 9)),
         (SELECT count(*) FROM CONCEPTO c WHERE c.TIPO IN (4, 5, 8, 9)
            AND NOT EXISTS (SELECT 1 FROM MATRICES m WHERE m.MATRIZ = c.CONCEPTO));"

comprueba "cada renglón de presupuesto y de estimación usa un concepto del catálogo" 0 "
  SELECT (SELECT count(*) FROM PRESUPS p
          WHERE NOT EXISTS (SELECT 1 FROM CONCEPTO c WHERE c.CONCEPTO = p.CONCEPTO))
       + (SELECT count(*) FROM EST2 e
          WHERE NOT EXISTS (SELECT 1 FROM CONCEPTO c WHERE c.CONCEPTO = e.CONCEPTO));"

comprueba "los insumos de cada costo horario existen en el catálogo" 0 "
  WITH insumo(maq, concepto) AS (
    SELECT MAQUINA, GASOLINA FROM MAQUINA UNION ALL SELECT MAQUINA, DIESEL FROM MAQUINA
    UNION ALL SELECT MAQUINA, O_FUENTES FROM MAQUINA UNION ALL SELECT MAQUINA, O_CONSUM FROM MAQUINA
    UNION ALL SELECT MAQUINA, ACEITE FROM MAQUINA UNION ALL SELECT MAQUINA, LLANTAS FROM MAQUINA
    UNION ALL SELECT MAQUINA, PZAS_ESP FROM MAQUINA UNION ALL SELECT MAQUINA, CUADRILLA FROM MAQUINA)
  SELECT count(*) FROM insumo i WHERE i.concepto IS NOT NULL
    AND NOT EXISTS (SELECT 1 FROM CONCEPTO c WHERE c.CONCEPTO = i.concepto);"

comprueba "cada máquina con costo horario lo encuentra y dice su tipo de hora (1, 2 o 3); cada costo \
horario lo usa algún concepto de maquinaria" "0|0" "
  SELECT (SELECT count(*) FROM CONCEPTO c WHERE c.CMAQUINA IS NOT NULL
            AND (c.TIPO <> 3 OR c.TIPOCMAQ NOT IN (1, 2, 3)
                 OR NOT EXISTS (SELECT 1 FROM MAQUINA m WHERE m.MAQUINA = c.CMAQUINA))),
         (SELECT count(*) FROM MAQUINA m WHERE NOT EXISTS (SELECT 1 FROM CONCEPTO c WHERE c.CMAQUINA = m.MAQUINA));"

comprueba "cada renglón de estimación corresponde a un renglón del presupuesto y a una estimación de EST1" "0|0" "
  SELECT (SELECT count(*) FROM EST2 e WHERE NOT EXISTS (
            SELECT 1 FROM PRESUPS p WHERE p.OBRA = e.OBRA AND p.PARTIDA = e.PARTIDA
              AND p.FRENTE = e.FRENTE AND p.CONCEPTO = e.CONCEPTO)),
         (SELECT count(*) FROM EST2 e WHERE NOT EXISTS (
            SELECT 1 FROM EST1 x WHERE x.OBRA = e.OBRA AND x.ESTIMACION = e.ESTIMACION));"

comprueba "cada obra tiene su fila en OBRAS, FSR, FSCD y FACMAQ" 0 "
  SELECT count(*) FROM (SELECT OBRA FROM OBRAS UNION SELECT OBRA FROM FSR
                        UNION SELECT OBRA FROM FSCD UNION SELECT OBRA FROM FACMAQ
                        UNION SELECT OBRA FROM PARTIDAS UNION SELECT OBRA FROM EST1) o
  WHERE NOT EXISTS (SELECT 1 FROM OBRAS O, FSR S, FACMAQ M, FSCD F
                    WHERE O.OBRA = S.OBRA AND O.OBRA = M.OBRA AND O.OBRA = F.OBRA
                      AND O.OBRA = o.OBRA);"

comprueba "cada renglón de presupuesto pertenece a una partida de su obra" 0 "
  SELECT count(*) FROM PRESUPS p WHERE NOT EXISTS (
    SELECT 1 FROM PARTIDAS x WHERE x.OBRA = p.OBRA AND x.PARTIDA = p.PARTIDA);"

# ---------------------------------------------------------------- keys and cycles
comprueba "claves únicas sin distinguir mayúsculas: concepto, máquina, renglón (obra, partida, frente, \
concepto)" "0|0|0" "
  SELECT (SELECT count(*) FROM (SELECT lower(CONCEPTO) FROM CONCEPTO GROUP BY 1 HAVING count(*) > 1)),
         (SELECT count(*) FROM (SELECT lower(MAQUINA) FROM MAQUINA GROUP BY 1 HAVING count(*) > 1)),
         (SELECT count(*) FROM (SELECT 1 FROM PRESUPS
            GROUP BY lower(OBRA), lower(PARTIDA), lower(FRENTE), lower(CONCEPTO) HAVING count(*) > 1));"

comprueba "una estimación por número y obra, y un cobro por renglón y estimación" 0 "
  SELECT (SELECT count(*) FROM (SELECT 1 FROM EST1 GROUP BY OBRA, ESTIMACION HAVING count(*) > 1))
       + (SELECT count(*) FROM (SELECT 1 FROM EST2
            GROUP BY OBRA, ESTIMACION, PARTIDA, FRENTE, CONCEPTO HAVING count(*) > 1));"

comprueba "un componente aparece una sola vez en cada análisis" 0 "
  SELECT count(*) FROM (SELECT 1 FROM MATRICES GROUP BY MATRIZ, CONCEPTO HAVING count(*) > 1);"

comprueba "ORDEN único dentro de cada partida y dentro de las estimaciones de cada obra" 0 "
  SELECT (SELECT count(*) FROM (SELECT 1 FROM PRESUPS GROUP BY OBRA, PARTIDA, ORDEN HAVING count(*) > 1))
       + (SELECT count(*) FROM (SELECT 1 FROM EST2 GROUP BY OBRA, ORDEN HAVING count(*) > 1));"

comprueba "ningún análisis se contiene a sí mismo (también a través de costos horarios)" 0 "
  WITH RECURSIVE
  insumo(maq, concepto) AS (
    SELECT MAQUINA, GASOLINA FROM MAQUINA UNION ALL SELECT MAQUINA, DIESEL FROM MAQUINA
    UNION ALL SELECT MAQUINA, O_FUENTES FROM MAQUINA UNION ALL SELECT MAQUINA, O_CONSUM FROM MAQUINA
    UNION ALL SELECT MAQUINA, ACEITE FROM MAQUINA UNION ALL SELECT MAQUINA, LLANTAS FROM MAQUINA
    UNION ALL SELECT MAQUINA, PZAS_ESP FROM MAQUINA UNION ALL SELECT MAQUINA, CUADRILLA FROM MAQUINA),
  arista(padre, hijo) AS (
    SELECT MATRIZ, CONCEPTO FROM MATRICES
    UNION SELECT c.CONCEPTO, i.concepto FROM CONCEPTO c JOIN insumo i ON i.maq = c.CMAQUINA
          WHERE c.TIPO = 3 AND i.concepto IS NOT NULL),
  camino(origen, nodo, nivel) AS (
    SELECT padre, hijo, 1 FROM arista
    UNION SELECT c.origen, a.hijo, c.nivel + 1 FROM camino c JOIN arista a ON a.padre = c.nodo
          WHERE c.nivel < 40 AND c.origen <> c.nodo)
  SELECT count(*) FROM camino WHERE origen = nodo OR nivel >= 40;"

# ---------------------------------------------------------------- values the loaders require
comprueba "códigos guardados como texto" 0 "
  SELECT (SELECT count(*) FROM CONCEPTO WHERE typeof(CONCEPTO) <> 'text'
            OR (CMAQUINA IS NOT NULL AND typeof(CMAQUINA) <> 'text'))
       + (SELECT count(*) FROM MATRICES WHERE typeof(MATRIZ) <> 'text' OR typeof(CONCEPTO) <> 'text')
       + (SELECT count(*) FROM PARTIDAS WHERE typeof(OBRA) <> 'text' OR typeof(PARTIDA) <> 'text')
       + (SELECT count(*) FROM PRESUPS WHERE typeof(OBRA) <> 'text' OR typeof(PARTIDA) <> 'text'
            OR typeof(FRENTE) <> 'text' OR typeof(CONCEPTO) <> 'text')
       + (SELECT count(*) FROM EST2 WHERE typeof(OBRA) <> 'text' OR typeof(PARTIDA) <> 'text'
            OR typeof(FRENTE) <> 'text' OR typeof(CONCEPTO) <> 'text')
       + (SELECT count(*) FROM MAQUINA WHERE typeof(MAQUINA) <> 'text');"

comprueba "fechas en texto ISO AAAA-MM-DD válidas" 0 "
  WITH f(v) AS (
    SELECT INICIO FROM OBRAS UNION ALL SELECT FINAL FROM OBRAS
    UNION ALL SELECT PI_F FROM PARTIDAS UNION ALL SELECT PT_F FROM PARTIDAS
    UNION ALL SELECT FECHA_INI FROM PRESUPS UNION ALL SELECT FECHA_FIN FROM PRESUPS
    UNION ALL SELECT ACTUALIZAD FROM CONCEPTO
    UNION ALL SELECT FECHA_EST FROM EST1 UNION ALL SELECT INI_EST FROM EST1
    UNION ALL SELECT FIN_EST FROM EST1)
  SELECT count(*) FROM f WHERE v IS NULL OR typeof(v) <> 'text' OR length(v) <> 10
    OR date(julianday(v)) IS NULL OR date(julianday(v)) <> v;"

comprueba "sin nulos donde el programa no los admite" 0 "
  SELECT (SELECT count(*) FROM CONCEPTO WHERE COSTO IS NULL OR TIPO IS NULL)
       + (SELECT count(*) FROM MAQUINA WHERE VAL_A1 IS NULL OR CANT_GAS IS NULL OR CANT_DIE IS NULL
            OR C_OTRAS IS NULL OR CANT_ACEI IS NULL OR CANT_LLAN IS NULL OR CANT_PZAS IS NULL
            OR CANT_OPER IS NULL)
       + (SELECT count(*) FROM OBRAS WHERE VIVIENDA IS NULL OR IVAAPLIC IS NULL)
       + (SELECT count(*) FROM FSR WHERE FACTMI IS NULL OR FACTHMT IS NULL)
       + (SELECT count(*) FROM FSCD WHERE DESPMAT IS NULL)
       + (SELECT count(*) FROM FACMAQ WHERE F_DEP IS NULL OR F_INV IS NULL OR F_SEG IS NULL
            OR F_MAN IS NULL OR F_OPE IS NULL OR F_COM IS NULL OR F_LUB IS NULL OR F_LLA IS NULL
            OR F_OTR IS NULL OR F_DEPE IS NULL OR F_INVE IS NULL OR F_SEGE IS NULL OR F_MANE IS NULL
            OR F_OPEE IS NULL OR F_COME IS NULL OR F_LUBE IS NULL OR F_LLAE IS NULL OR F_OTRE IS NULL)
       + (SELECT count(*) FROM PARTIDAS WHERE IMPORTE IS NULL)
       + (SELECT count(*) FROM PRESUPS WHERE PUNIT IS NULL OR IMPORTE IS NULL OR CANT_PRES IS NULL
            OR ADITIVA IS NULL OR DEDUCTIVA IS NULL)
       + (SELECT count(*) FROM EST1 WHERE DEDUC_EST IS NULL OR AMORT_EST IS NULL OR IVA_AMORT IS NULL
            OR typeof(ESTIMACION) <> 'integer')
       + (SELECT count(*) FROM EST2 WHERE CANT_EST IS NULL OR PUNIT IS NULL OR IMPORTE IS NULL
            OR typeof(ESTIMACION) <> 'integer');"

comprueba "la mano de obra lleva factor de salario real entre 1.5 y 2.0" 0 "
  SELECT count(*) FROM CONCEPTO WHERE TIPO = 2 AND (FSREAL_MO IS NULL OR FSREAL_MO < 1.5 OR FSREAL_MO > 2.0);"

# ---------------------------------------------------------------- amounts
comprueba "importe de cada renglón y de cada cobro = PUNIT × cantidad redondeado a centavos" "0|0" "
  SELECT (SELECT count(*) FROM PRESUPS WHERE abs(IMPORTE - PUNIT * CANT_PRES) > 0.005 + 1e-9
            OR abs(IMPORTE * 100 - round(IMPORTE * 100)) > 1e-6),
         (SELECT count(*) FROM EST2 WHERE abs(IMPORTE - PUNIT * CANT_EST) > 0.005 + 1e-9
            OR abs(IMPORTE * 100 - round(IMPORTE * 100)) > 1e-6);"

comprueba "importe de cada partida = suma de sus renglones" 0 "
  SELECT count(*) FROM PARTIDAS x
  WHERE abs(x.IMPORTE - (SELECT coalesce(sum(p.IMPORTE), 0) FROM PRESUPS p
                         WHERE p.OBRA = x.OBRA AND p.PARTIDA = x.PARTIDA)) > 0.004;"

comprueba "lo estimado de un renglón no pasa de su volumen definitivo" 0 "
  SELECT count(*) FROM PRESUPS p
  WHERE (SELECT coalesce(sum(e.CANT_EST), 0) FROM EST2 e
         WHERE e.OBRA = p.OBRA AND e.PARTIDA = p.PARTIDA AND e.FRENTE = p.FRENTE
           AND e.CONCEPTO = p.CONCEPTO) > p.CANT_PRES + p.ADITIVA - p.DEDUCTIVA + 1e-9;"

comprueba "el costo de cada cuadrilla es la suma de su mano de obra con salario real" 0 "
  SELECT count(*) FROM CONCEPTO c WHERE c.TIPO = 8 AND abs(c.COSTO -
    (SELECT sum(m.CANTIDAD * round(k.COSTO * k.FSREAL_MO, 2)) FROM MATRICES m
     JOIN CONCEPTO k ON k.CONCEPTO = m.CONCEPTO WHERE m.MATRIZ = c.CONCEPTO)) > 0.01;"

# ---------------------------------------------------------------- dates
comprueba "cada renglón empieza antes de terminar y cae dentro de su obra" 0 "
  SELECT count(*) FROM PRESUPS p JOIN OBRAS o ON o.OBRA = p.OBRA
  WHERE p.FECHA_INI > p.FECHA_FIN OR p.FECHA_INI < o.INICIO OR p.FECHA_FIN > o.FINAL;"

comprueba "fechas de cada partida = primer inicio y último fin de sus renglones" 0 "
  SELECT count(*) FROM PARTIDAS x
  WHERE x.PI_F <> (SELECT min(FECHA_INI) FROM PRESUPS p WHERE p.OBRA = x.OBRA AND p.PARTIDA = x.PARTIDA)
     OR x.PT_F <> (SELECT max(FECHA_FIN) FROM PRESUPS p WHERE p.OBRA = x.OBRA AND p.PARTIDA = x.PARTIDA);"

comprueba "estimaciones consecutivas, sin traslapes, fechadas después de su periodo" 0 "
  SELECT count(*) FROM EST1 a
  WHERE a.INI_EST > a.FIN_EST OR a.FECHA_EST < a.FIN_EST
     OR EXISTS (SELECT 1 FROM EST1 b WHERE b.OBRA = a.OBRA AND b.ESTIMACION = a.ESTIMACION + 1
                AND b.INI_EST <> date(a.FIN_EST, '+1 day'));"

# ---------------------------------------------------------------- work A7 (the documented walk-through)
comprueba "A7 va del 15 de marzo al 10 de mayo de 2013 y tiene al menos una estimación" "2013-03-15|2013-05-10|1" "
  SELECT INICIO, FINAL, (SELECT count(*) >= 1 FROM EST1 WHERE OBRA = 'A7') FROM OBRAS WHERE OBRA = 'A7';"

comprueba "A7 tiene sola la partida 01 con un renglón de C-100 del 20 de marzo al 19 de abril" \
  "01|C-100|2013-03-20|2013-04-19" "
  SELECT p.PARTIDA, p.CONCEPTO, p.FECHA_INI, p.FECHA_FIN FROM PRESUPS p WHERE p.OBRA = 'A7'
    AND (SELECT count(*) FROM PARTIDAS WHERE OBRA = 'A7') = 1;"

comprueba "el renglón de C-100 trabaja 12 días de marzo, 19 de abril y ninguno de mayo" "12|19|0" "
  WITH l(f1, f2) AS (SELECT julianday(FECHA_INI), julianday(FECHA_FIN) FROM PRESUPS WHERE OBRA = 'A7'),
  m(k, p1, p2) AS (VALUES (1, julianday('2013-03-01'), julianday('2013-03-31')),
                          (2, julianday('2013-04-01'), julianday('2013-04-30')),
                          (3, julianday('2013-05-01'), julianday('2013-05-31')))
  SELECT group_concat(d, '|') FROM (
    SELECT CAST(max(0, min(l.f2, m.p2) - max(l.f1, m.p1) + 1) AS INTEGER) AS d FROM l, m ORDER BY m.k);"

comprueba "C-100 es un precio unitario con un análisis pequeño" "5|1" "
  SELECT TIPO, (SELECT count(*) BETWEEN 2 AND 6 FROM MATRICES WHERE MATRIZ = 'C-100')
  FROM CONCEPTO WHERE CONCEPTO = 'C-100';"

# ---------------------------------------------------------------- work CASA01 (the larger sample)
comprueba "la casa: partidas 01 a 06, unos ocho meses, vivienda con IVA del 16 %, unas cuantas docenas de \
renglones, estimaciones 1 a 4" "01,02,03,04,05,06|1|1|16.0|1|1,2,3,4" "
  SELECT (SELECT group_concat(PARTIDA, ',') FROM (SELECT PARTIDA FROM PARTIDAS WHERE OBRA = 'CASA01' ORDER BY 1)),
         julianday(FINAL) - julianday(INICIO) BETWEEN 210 AND 270, VIVIENDA, IVAAPLIC,
         (SELECT count(*) BETWEEN 24 AND 80 FROM PRESUPS WHERE OBRA = 'CASA01'),
         (SELECT group_concat(ESTIMACION, ',') FROM (SELECT ESTIMACION FROM EST1 WHERE OBRA = 'CASA01' ORDER BY 1))
  FROM OBRAS WHERE OBRA = 'CASA01';"

comprueba "cada estimación de la casa cobra algo" 0 "
  SELECT count(*) FROM EST1 x WHERE x.OBRA = 'CASA01'
    AND NOT EXISTS (SELECT 1 FROM EST2 e WHERE e.OBRA = x.OBRA AND e.ESTIMACION = x.ESTIMACION);"

comprueba "la casa tiene renglones sin cobrar y renglones cobrados en varias estimaciones" "1|1" "
  WITH cobros AS (
    SELECT p.PARTIDA, p.FRENTE, p.CONCEPTO,
           (SELECT count(*) FROM EST2 e WHERE e.OBRA = p.OBRA AND e.PARTIDA = p.PARTIDA
              AND e.FRENTE = p.FRENTE AND e.CONCEPTO = p.CONCEPTO) AS n
    FROM PRESUPS p WHERE p.OBRA = 'CASA01')
  SELECT sum(n = 0) >= 1, sum(n >= 2) >= 1 FROM cobros;"

comprueba "la casa tiene volúmenes aditivos y deductivos, renglones que cruzan de un mes a otro y uno \
que cubre meses enteros" "1|1|1|1" "
  SELECT sum(ADITIVA > 0) >= 1, sum(DEDUCTIVA > 0) >= 1,
         sum(strftime('%Y-%m', FECHA_INI) <> strftime('%Y-%m', FECHA_FIN)) >= 1,
         sum(date(FECHA_INI, 'start of month', '+2 months') <= FECHA_FIN) >= 1
  FROM PRESUPS WHERE OBRA = 'CASA01';"

comprueba "un mismo concepto se presupuesta en varias partidas o frentes" 1 "
  SELECT count(*) >= 1 FROM (SELECT CONCEPTO FROM PRESUPS WHERE OBRA = 'CASA01'
                             GROUP BY CONCEPTO HAVING count(*) > 1);"

comprueba "el catálogo tiene conceptos de los nueve tipos" "1,2,3,4,5,6,7,8,9" "
  SELECT group_concat(TIPO, ',') FROM (SELECT DISTINCT TIPO FROM CONCEPTO ORDER BY TIPO);"

comprueba "hay máquinas en hora activa, en espera y en reserva, y una sin costo horario" "1,2,3|1" "
  SELECT (SELECT group_concat(t, ',') FROM (SELECT DISTINCT TIPOCMAQ AS t FROM CONCEPTO
                                           WHERE TIPO = 3 AND CMAQUINA IS NOT NULL ORDER BY 1)),
         (SELECT count(*) >= 1 FROM CONCEPTO WHERE TIPO = 3 AND CMAQUINA IS NULL);"

comprueba "los precios unitarios de la casa pasan por básicos y cuadrillas" "1|1" "
  SELECT sum(k.TIPO = 4) >= 1, sum(k.TIPO = 8) >= 1
  FROM PRESUPS p JOIN MATRICES m ON m.MATRIZ = p.CONCEPTO JOIN CONCEPTO k ON k.CONCEPTO = m.CONCEPTO
  WHERE p.OBRA = 'CASA01';"

comprueba "los costos horarios consumen combustible, aceite, llantas y cuadrilla de operación" "1|1|1|1" "
  SELECT sum(GASOLINA IS NOT NULL OR DIESEL IS NOT NULL) >= 1, sum(ACEITE IS NOT NULL) >= 1,
         sum(LLANTAS IS NOT NULL) >= 1, sum(CUADRILLA IS NOT NULL) >= 1 FROM MAQUINA;"

echo "$pasan passed, $fallan failed"
[ "$fallan" -eq 0 ]
