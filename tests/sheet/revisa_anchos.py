#!/usr/bin/env python3
"""Checks, cell by cell, that what a written workbook shows fits where it is shown.

    /usr/bin/python3 revisa_anchos.py LIBRO.xlsx [...]

Reads the file with openpyxl (column widths, row heights, merges, cached
values and their formats), renders each value as its
number format shows it, measures it with the advance widths of Calibri 11 (the
workbooks' font; Carlito has the same metrics) and checks:
- a number (or formula result) fits its column, or its merged block, unless it
  is set to shrink to fit: otherwise a spreadsheet shows "###";
- a text that neither wraps nor is merged fits its column;
- a wrapped text's lines fit its row's height.
Prints one line per workbook; exits 1 listing the first cells that do not fit.
"""
import sys

import openpyxl

# Advance widths of Calibri 11 in 1/2048 em for " " to "~"; a digit is 1038.
AVANCES = [463, 544, 714, 1018, 1038, 1470, 1397, 452, 621, 621, 1018, 1018, 511, 627, 517, 791,
           1038, 1038, 1038, 1038, 1038, 1038, 1038, 1038, 1038, 1038, 548, 548, 1018, 1018, 1018, 941,
           1823, 1185, 1114, 1092, 1260, 1000, 941, 1292, 1276, 516, 653, 1064, 861, 1751, 1322, 1356,
           1058, 1378, 1112, 941, 998, 1314, 1162, 1822, 1063, 998, 959, 628, 791, 628, 1018, 1018,
           511, 981, 1076, 866, 1076, 1019, 625, 964, 1076, 470, 490, 931, 470, 1636, 1076, 1080,
           1076, 1076, 714, 801, 686, 1076, 925, 1464, 887, 927, 809, 714, 943, 714, 1018]
DIGITO = 1038.0
MARGEN = 3.0 / 7.0
ANCHO_PREDETERMINADO = 8.43
ALTO_LINEA = 15.0


def avance(ch):
    o = ord(ch)
    if 0x20 <= o < 0x7F:
        return AVANCES[o - 0x20]
    return DIGITO if o >= 0x80 else 0


def ancho(texto):
    return max(sum(avance(ch) for ch in linea) for linea in texto.split("\n")) / DIGITO


def lineas(texto, columna):
    util = max(1.0, columna - MARGEN) * DIGITO
    total = 0
    for parrafo in texto.split("\n"):
        n, linea = 1, 0.0
        for i, palabra in enumerate(parrafo.split(" ")):
            w = sum(avance(ch) for ch in palabra)
            blanco = avance(" ") if i > 0 else 0
            if linea > 0 and linea + blanco + w > util:
                n, linea = n + 1, 0.0
                blanco = 0
            while w > util:
                n, w = n + 1, w - util
            linea += blanco + w
        total += n
    return total


def mostrado(valor, codigo):
    codigo = codigo.split(";")[0] if valor >= 0 or '"$"' not in codigo else codigo
    if '"$"' in codigo:
        cifra = f"{abs(valor):,.2f}"
        return f"(${cifra})" if valor < 0 else f"${cifra} "
    if codigo == "General":
        return f"{valor:.10g}"
    decimales = len(codigo.split(".")[1].rstrip("%")) if "." in codigo else 0
    miles = "," if "," in codigo else ""
    porcentaje = codigo.endswith("%")
    texto = format(valor * (100 if porcentaje else 1), f"{miles}.{decimales}f")
    return texto + ("%" if porcentaje else "")


def revisa(ruta):
    fallas = []
    cuenta = 0
    for hoja in openpyxl.load_workbook(ruta, data_only=True).worksheets:
        anchos = {c: d.width for d in hoja.column_dimensions.values() for c in range(d.min, d.max + 1)}
        bloques = {(r.min_row, r.min_col): r for r in hoja.merged_cells.ranges}
        for fila in hoja.iter_rows():
            for c in fila:
                if c.value is None:  # empty, or covered by a merged block
                    continue
                cuenta += 1
                bloque = bloques.get((c.row, c.column))
                if bloque:
                    disponible = sum(anchos.get(k, ANCHO_PREDETERMINADO)
                                     for k in range(bloque.min_col, bloque.max_col + 1))
                else:
                    disponible = anchos.get(c.column, ANCHO_PREDETERMINADO)
                alto = hoja.row_dimensions[c.row].height or ALTO_LINEA
                envuelve, encoge = c.alignment.wrap_text, c.alignment.shrink_to_fit
                lugar = f"{hoja.title}!{c.coordinate}"
                if isinstance(c.value, (int, float)):
                    mostrar = mostrado(float(c.value), c.number_format)
                    if not encoge and ancho(mostrar) + MARGEN > disponible + 1e-6:
                        fallas.append(f"{lugar} muestra {mostrar!r} en {disponible:.2f}")
                    continue
                texto = str(c.value)
                if envuelve and not bloque:
                    n = lineas(texto, disponible)
                    if n * ALTO_LINEA > alto + 1e-6:
                        fallas.append(f"{lugar}: {n} líneas en {alto} puntos")
                elif not bloque and not encoge and ancho(texto) + MARGEN > disponible + 1e-6:
                    fallas.append(f"{lugar} muestra {texto[:30]!r} en {disponible:.2f}")
    return cuenta, fallas


def main():
    estado = 0
    for ruta in sys.argv[1:]:
        cuenta, fallas = revisa(ruta)
        if fallas:
            estado = 1
            print(f"{ruta}: {len(fallas)} de {cuenta} celdas no caben: " + "; ".join(fallas[:10]))
        else:
            print(f"{ruta}: las {cuenta} celdas caben")
    return estado


if __name__ == "__main__":
    sys.exit(main())
