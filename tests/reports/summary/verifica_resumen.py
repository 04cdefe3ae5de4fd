#!/usr/bin/env python3
"""Checks the output of `promorlaqel resumen` against the project database:
the grid printed as JSON and as CSV, and the written workbook read with
openpyxl and recalculated by a real spreadsheet (the JSON of recalcula.py).

Usage: verifica_resumen.py BD OBRA GRID.json GRID.csv [LIBRO.xlsx RECALCULADO.json C]
"""
import csv
import json
import sqlite3
import sys
from decimal import Decimal, ROUND_HALF_EVEN

import openpyxl
from openpyxl.utils import get_column_letter as letra

fallos = []


def falla(texto):
    fallos.append(texto)


def general(v):
    """The general number text: no grouping, no trailing zeros, 15 digits."""
    t = "%.15g" % v
    return "0" if t == "-0" else t


def redondea(v, d):
    """Rounding of amounts: add 10^-(d+3), then halves to even."""
    return float(Decimal(repr(v + 10 ** -(d + 3))).quantize(Decimal(1).scaleb(-d), ROUND_HALF_EVEN))


def lee_obra(bd, obra):
    con = sqlite3.connect(bd)
    partidas = []
    for (pa, nom, concepto, desc, unidad, frente, cant, punit, adi, ded) in con.execute(
            "select pa.PARTIDA, pa.PNOM_LARGO, c.CONCEPTO, c.NOM_LARGO, c.UNIDAD, p.FRENTE, p.CANT_PRES, p.PUNIT, "
            "p.ADITIVA, p.DEDUCTIVA from PRESUPS p join PARTIDAS pa on pa.OBRA = p.OBRA and pa.PARTIDA = p.PARTIDA "
            "join CONCEPTO c on c.CONCEPTO = p.CONCEPTO where p.OBRA = ? order by pa.PARTIDA, p.ORDEN", (obra,)):
        if not partidas or partidas[-1]["clave"] != pa:
            partidas.append({"clave": pa, "desc": nom, "lineas": []})
        cobros = {int(k): (float(q), float(pu)) for (k, q, pu) in con.execute(
            "select ESTIMACION, CANT_EST, PUNIT from EST2 where OBRA = ? and PARTIDA = ? and FRENTE = ? and "
            "CONCEPTO = ?", (obra, pa, frente, concepto))}
        partidas[-1]["lineas"].append({"clave": concepto, "desc": desc, "unidad": unidad, "frente": frente,
                                       "cant": float(cant), "punit": float(punit), "adi": float(adi),
                                       "ded": float(ded), "cobros": cobros})
    e = con.execute("select coalesce(max(ESTIMACION), 0) from EST2 where OBRA = ?", (obra,)).fetchone()[0]
    return partidas, int(e)


def rejilla_esperada(partidas, e):
    cols = 3 * e + 10
    filas = [[""] * cols]
    for p in partidas:
        f = [""] * cols
        f[1], f[2] = p["clave"], p["desc"]
        filas.append(f)
        for l in p["lineas"]:
            f = [""] * cols
            f[1:7] = [l["clave"], l["desc"], l["unidad"], general(l["cant"]), general(l["punit"]),
                      general(redondea(l["punit"] * l["cant"], 2))]
            for k, (q, pu) in l["cobros"].items():
                c = 3 * (k - 1) + 7
                f[c:c + 3] = [general(q), general(pu), general(redondea(pu * q, 2))]
            filas.append(f)
    filas.append([""] * cols)
    return filas


def verifica_rejilla(esperada, ruta_json, ruta_csv):
    with open(ruta_json, encoding="utf-8") as f:
        g = json.load(f)
    if list(g.keys()) != ["Rows", "Cols", "Celdas"]:
        falla("json: miembros %s" % list(g.keys()))
    if g["Rows"] != len(esperada) or g["Cols"] != len(esperada[0]):
        falla("json: %sx%s en vez de %sx%s" % (g["Rows"], g["Cols"], len(esperada), len(esperada[0])))
    if g["Celdas"] != esperada:
        falla("json: celdas\n%s\n%s" % (g["Celdas"], esperada))
    with open(ruta_csv, encoding="utf-8", newline="") as f:
        filas = list(csv.reader(f))
    if filas != esperada:
        falla("csv: filas\n%s\n%s" % (filas, esperada))


def verifica_libro(partidas, e, ruta, ruta_recalculo, C):
    hoja = openpyxl.load_workbook(ruta)["Resumen"]
    cache = openpyxl.load_workbook(ruta, data_only=True)["Resumen"]
    with open(ruta_recalculo, encoding="utf-8") as f:
        recalculado = json.load(f)["Resumen"]

    def compara(ref, esperado, que):
        for fuente, valor in (("recalculado", recalculado.get(ref)), ("guardado", cache[ref].value)):
            if not isinstance(valor, (int, float)) or abs(valor - esperado) > 1e-9:
                falla("%s %s (%s): %r en vez de %r" % (fuente, ref, que, valor, esperado))

    cant_k = lambda k: (k - 1) * C + 15
    imp_k = lambda k: (k - 1) * C + 14 + C
    importes = [8, 12, 14] + [imp_k(k) for k in range(1, e + 1)]
    totales = {c: 0.0 for c in importes}
    fila, n = 9, 0
    for p in partidas:
        if hoja.cell(fila, 1).value != p["clave"]:
            falla("partida en A%d: %r" % (fila, hoja.cell(fila, 1).value))
        fila += 1
        sub = {c: 0.0 for c in importes}
        for l in p["lineas"]:
            n += 1
            r = fila
            fila += 1
            if hoja.cell(r, 1).value != "%d)" % n or hoja.cell(r, 2).value != l["clave"]:
                falla("fila %d: %r %r" % (r, hoja.cell(r, 1).value, hoja.cell(r, 2).value))
            definitivo = l["cant"] + l["adi"] - l["ded"]
            cobrado = sum(q for q, _ in l["cobros"].values())
            valores = {8: l["punit"] * l["cant"], 11: definitivo, 12: definitivo * l["punit"],
                       13: definitivo - cobrado, 14: (definitivo - cobrado) * l["punit"]}
            for k, (q, pu) in l["cobros"].items():
                valores[cant_k(k)] = q
                valores[imp_k(k)] = (pu if C == 3 else l["punit"]) * q
            for c, v in valores.items():
                compara("%s%d" % (letra(c), r), v, "línea")
                if c in sub:
                    sub[c] += v
        if hoja.cell(fila, 7).value != "SubTotales":
            falla("G%d: %r" % (fila, hoja.cell(fila, 7).value))
        for c in importes:
            compara("%s%d" % (letra(c), fila), sub[c], "subtotal")
            totales[c] += sub[c]
        fila += 1
    t = fila + 1
    if hoja.cell(t, 7).value != "Totales":
        falla("G%d: %r" % (t, hoja.cell(t, 7).value))
    for c in importes:
        compara("%s%d" % (letra(c), t), totales[c], "total")
    for k in range(1, e + 1):
        if hoja.cell(4, cant_k(k)).value != "Estimación No. %d" % k:
            falla("título de la estimación %d: %r" % (k, hoja.cell(4, cant_k(k)).value))


def main():
    bd, obra, grid_json, grid_csv = sys.argv[1:5]
    partidas, e = lee_obra(bd, obra)
    verifica_rejilla(rejilla_esperada(partidas, e), grid_json, grid_csv)
    if len(sys.argv) > 5:
        verifica_libro(partidas, e, sys.argv[5], sys.argv[6], int(sys.argv[7]))
    for f in fallos:
        print("FALLO:", f, file=sys.stderr)
    sys.exit(1 if fallos else 0)


if __name__ == "__main__":
    main()
