#!/usr/bin/env python3
"""Checks a program workbook written by `promorlaqel programa` against the
calculation's JSON dump, after LibreOffice recalculated it.

Usage: verifica_programa.py LIBRO.xlsx VOLCADO.json TIPO (importes|cantidades)

- Foot rows of every sheet: "Total del periodo" equals, per period column, the
  sum of the values written above it (for the physical program, the amount
  weighted progress of the lines); "Total acumulado" is the running sum and
  ends at the total; "% acumulado" is the cumulative over the total. Cached and
  recalculated values agree.
- Resource programs: per input, the consolidated total equals the sum over the
  lines of that input's summary total.
- The financial program has the sheet "Curva S" with charts over its cells.
"""
import json
import os
import re
import sys
import tempfile
import zipfile

import openpyxl
from openpyxl.utils import get_column_letter

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "apoyo"))
import revisa_presentacion  # noqa: E402

fallos = []
falla = fallos.append
FILA_TITULOS = 13


def cerca(a, b, tol):
    return isinstance(a, (int, float)) and isinstance(b, (int, float)) and abs(a - b) <= tol


def celdas_por_fila(hoja):
    return {f[0].row: {c.column: c.value for c in f if c.value not in (None, "")} for f in hoja.iter_rows()}


def progreso_fisico(volcado):
    """Per period: sum over lines of (share quantity / line quantity) x line amount, over the amounts."""
    lineas = [p for s in volcado["Obra"]["Partidas"] for p in s["Presups"]]
    peso = sum(p["Des"]["Importe"] for p in lineas)
    r = [0.0] * len(volcado["Periodos"])
    for p in lineas:
        q = p["Des"]["Cantidad"]
        for k, s in enumerate(p["PeriodosPorItem"]):
            if q:
                r[k] += s["Cantidad"] / q * p["Des"]["Importe"]
    return [x / peso for x in r]


def revisa_pie(nombre, recalculada, formulas, cache, tipo, volcado):
    filas = celdas_por_fila(recalculada)
    pie = [(f, c) for f, fila in filas.items() for c, v in fila.items() if v == "Total del periodo"]
    if not pie:
        return False
    (F, rotulo), = pie
    if filas.get(F + 1, {}).get(rotulo) != "Total acumulado" or filas.get(F + 2, {}).get(rotulo) != "% acumulado":
        falla(f"{nombre}: faltan los renglones del pie")
        return True
    columnas = sorted(c for c in filas[F] if c > rotulo)
    if nombre == "Consolidado":  # the total column comes before the periods
        total_col, periodos = columnas[0], columnas[1:]
    else:
        total_col, periodos = columnas[-1], columnas[:-1]
    fisico = progreso_fisico(volcado) if tipo == 0 and nombre == "Programa Obra" else None
    acumulado = 0.0
    for k, c in enumerate(periodos):
        valor = filas[F][c]
        if fisico is not None:
            esperado, tol = fisico[k], 1e-9
        else:
            esperado, tol = 0.0, 0.005
            for f in range(FILA_TITULOS + 1, F):
                v = formulas.cell(f, c).value
                if isinstance(v, (int, float)) and not isinstance(v, bool):
                    esperado += v
        if not cerca(valor, esperado, tol):
            falla(f"{nombre}!{get_column_letter(c)}{F}: {valor} y la suma de arriba es {esperado}")
        acumulado += valor if isinstance(valor, (int, float)) else 0
        if not cerca(filas[F + 1].get(c), acumulado, 0.005):
            falla(f"{nombre}!{get_column_letter(c)}{F + 1}: acumulado {filas[F + 1].get(c)}, se esperaba {acumulado}")
    total = filas[F][total_col]
    if not cerca(total, acumulado, 0.005):
        falla(f"{nombre}: el total {total} no es la suma de los periodos {acumulado}")
    # The running sum was checked period by period: its last one is the total.
    if total and not cerca(filas[F + 2][periodos[-1]], 1.0, 1e-9):
        falla(f"{nombre}: el % acumulado termina en {filas[F + 2][periodos[-1]]}")
    for f in (F, F + 1, F + 2):
        for c in columnas:
            guardado = cache.cell(f, c).value
            if guardado is not None and not cerca(guardado, filas[f].get(c), 1e-6 + 1e-12 * abs(guardado)):
                falla(f"{nombre}!{get_column_letter(c)}{f}: guardado {guardado}, recalculado {filas[f].get(c)}")
    return True


def revisa_insumos(recalculada, volcado, tipo, importes):
    resumen = {2: "ResumenMat", 3: "ResumenMaq", 4: "ResumenMdo"}[tipo]
    esperado, lineas = {}, {}
    for s in volcado["Obra"]["Partidas"]:
        for p in s["Presups"]:
            for item in (p["Explosion"] or {}).get(resumen) or []:
                clave = item["Concepto"]
                esperado[clave] = esperado.get(clave, 0.0) + (item["Parcial"] if importes else item["Cantidad"])
                lineas[clave] = lineas.get(clave, 0) + 1
    filas = celdas_por_fila(recalculada)
    vistos = {}
    for f, fila in filas.items():
        if f > FILA_TITULOS and fila.get(1) in esperado and isinstance(fila.get(4), (int, float)):
            vistos[fila[1]] = fila[4]
    if set(vistos) != set(esperado):
        falla(f"Consolidado: insumos {sorted(vistos)} en vez de {sorted(esperado)}")
    for clave, v in vistos.items():
        tol = (0.005 if importes else 1e-6) * lineas[clave]
        if not cerca(v, esperado[clave], tol):
            falla(f"Consolidado {clave}: {v}, las líneas suman {esperado[clave]}")


def revisa_grafica(libro):
    with zipfile.ZipFile(libro) as z:
        graficas = [n for n in z.namelist() if re.match(r"xl/charts/chart\d+\.xml$", n)]
        if len(graficas) != 2:
            falla(f"se esperaban dos gráficas, hay {graficas}")
        for n in graficas:
            refs = re.findall(r"<c:f>([^<]*)</c:f>", z.read(n).decode())
            if not refs or any(not r.startswith("'Curva S'!$") for r in refs):
                falla(f"{n}: series {refs}")


def main():
    libro, volcado, tipo, modo = sys.argv[1:5]
    tipo = int(tipo)
    importes = modo == "importes"
    with open(volcado, encoding="utf-8") as f:
        dump = json.load(f)
    formulas = openpyxl.load_workbook(libro)
    cache = openpyxl.load_workbook(libro, data_only=True)
    with tempfile.TemporaryDirectory() as tmp:
        lo = revisa_presentacion.libreoffice(tmp, os.path.abspath(libro), "xlsx:Calc MS Excel 2007 XML", tmp)
        if lo is None:
            sys.exit("; ".join(revisa_presentacion.fallas))
        hojas = openpyxl.load_workbook(lo, data_only=True)
    con_pie = [n for n in hojas.sheetnames if revisa_pie(n, hojas[n], formulas[n], cache[n], tipo, dump)]
    quiere_pie = ["Programa Obra"] + (["Consolidado"] if tipo >= 2 else [])
    if tipo >= 2 and not importes:
        quiere_pie = []
    if sorted(con_pie) != sorted(quiere_pie):
        falla(f"hojas con pie {con_pie}, se esperaban {quiere_pie}")
    if tipo >= 2:
        revisa_insumos(hojas["Consolidado"], dump, tipo, importes)
    if tipo == 1:
        if "Curva S" not in hojas.sheetnames:
            falla("falta la hoja Curva S")
        revisa_grafica(libro)
    for t in fallos[:20]:
        print(t, file=sys.stderr)
    sys.exit(1 if fallos else 0)


if __name__ == "__main__":
    main()
