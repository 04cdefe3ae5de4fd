#!/usr/bin/env python3
"""Checks, cell by cell, that what a written workbook shows fits where it is shown.

    python3 revisa_anchos.py LIBRO.xlsx [...]

Reads the sheets' XML straight from the file (column widths, row heights,
merges, cells and their formats from styles.xml), renders each value as its
number format shows it, measures it with the advance widths of Calibri 11 (the
workbooks' font; Carlito has the same metrics) and checks:
- a number (or formula result) fits its column, or its merged block, unless it
  is set to shrink to fit: otherwise a spreadsheet shows "###";
- a text that neither wraps nor is merged fits its column;
- a wrapped text's lines fit its row's height.
Prints one line per workbook; exits 1 listing the first cells that do not fit.
"""
import re
import sys
import zipfile
import xml.etree.ElementTree as ET

NS = {"m": "http://schemas.openxmlformats.org/spreadsheetml/2006/main",
      "r": "http://schemas.openxmlformats.org/officeDocument/2006/relationships"}
M = "{%s}" % NS["m"]

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
INTEGRADOS = {0: "General", 1: "0", 2: "0.00", 3: "#,##0", 4: "#,##0.00", 9: "0%", 10: "0.00%"}


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


def letras_a_numero(letras):
    n = 0
    for ch in letras:
        n = n * 26 + ord(ch) - 64
    return n


def celda(ref):
    m = re.match(r"([A-Z]+)(\d+)$", ref)
    return int(m.group(2)), letras_a_numero(m.group(1))


def mostrado(valor, codigo):
    codigo = codigo.split(";")[0] if valor >= 0 or '"$"' not in codigo else codigo
    if '"$"' in codigo:
        cifra = f"{abs(valor):,.2f}"
        return f"(${cifra})" if valor < 0 else f"${cifra} "
    if codigo == "General":
        texto = f"{valor:.10g}"
        return texto
    decimales = len(codigo.split(".")[1].rstrip("%")) if "." in codigo else 0
    miles = "," if "," in codigo else ""
    porcentaje = codigo.endswith("%")
    texto = format(valor * (100 if porcentaje else 1), f"{miles}.{decimales}f")
    return texto + ("%" if porcentaje else "")


def revisa(ruta):
    fallas = []
    with zipfile.ZipFile(ruta) as z:
        estilos = ET.fromstring(z.read("xl/styles.xml"))
        codigos = dict(INTEGRADOS)
        for f in estilos.iter(M + "numFmt"):
            codigos[int(f.get("numFmtId"))] = f.get("formatCode")
        xfs = []
        for xf in estilos.find("m:cellXfs", NS):
            al = xf.find("m:alignment", NS)
            xfs.append((codigos.get(int(xf.get("numFmtId", "0")), "General"),
                        al is not None and al.get("wrapText") in ("1", "true"),
                        al is not None and al.get("shrinkToFit") in ("1", "true")))
        compartidos = []
        if "xl/sharedStrings.xml" in z.namelist():
            for si in ET.fromstring(z.read("xl/sharedStrings.xml")).findall("m:si", NS):
                compartidos.append("".join(t.text or "" for t in si.iter(M + "t")))
        libro = ET.fromstring(z.read("xl/workbook.xml"))
        rels = ET.fromstring(z.read("xl/_rels/workbook.xml.rels"))
        destinos = {r.get("Id"): r.get("Target") for r in rels}
        cuenta = 0
        for hoja in libro.find("m:sheets", NS):
            nombre = hoja.get("name")
            xml = ET.fromstring(z.read("xl/" + destinos[hoja.get("{%s}id" % NS["r"])].lstrip("/").replace("xl/", "")))
            anchos = {}
            for col in xml.iter(M + "col"):
                for c in range(int(col.get("min")), int(col.get("max")) + 1):
                    anchos[c] = float(col.get("width"))
            merges = {}
            for mc in xml.iter(M + "mergeCell"):
                a, b = mc.get("ref").split(":")
                (f1, c1), (f2, c2) = celda(a), celda(b)
                for f in range(f1, f2 + 1):
                    for c in range(c1, c2 + 1):
                        merges[(f, c)] = (f1, c1, f2, c2)
            for fila in xml.iter(M + "row"):
                alto = float(fila.get("ht")) if fila.get("ht") else ALTO_LINEA
                for c in fila.findall("m:c", NS):
                    f, col = celda(c.get("r"))
                    v = c.find("m:v", NS)
                    tipo = c.get("t", "n")
                    if tipo == "inlineStr":
                        texto = "".join(t.text or "" for t in c.iter(M + "t"))
                    elif v is None or v.text is None:
                        continue
                    elif tipo == "s":
                        texto = compartidos[int(v.text)]
                    elif tipo in ("str", "e"):
                        texto = v.text
                    else:
                        texto = None
                    codigo, envuelve, encoge = xfs[int(c.get("s", "0"))]
                    bloque = merges.get((f, col))
                    if bloque and (f, col) != bloque[:2]:
                        continue
                    cuenta += 1
                    if bloque:
                        disponible = sum(anchos.get(k, ANCHO_PREDETERMINADO) for k in range(bloque[1], bloque[3] + 1))
                    else:
                        disponible = anchos.get(col, ANCHO_PREDETERMINADO)
                    if texto is None:
                        mostrar = mostrado(float(v.text), codigo)
                        if not encoge and ancho(mostrar) + MARGEN > disponible + 1e-6:
                            fallas.append(f"{nombre}!{c.get('r')} muestra {mostrar!r} en {disponible:.2f}")
                    elif envuelve and not bloque:
                        n = lineas(texto, disponible)
                        if n * ALTO_LINEA > alto + 1e-6:
                            fallas.append(f"{nombre}!{c.get('r')}: {n} líneas en {alto} puntos")
                    elif not bloque and not encoge and ancho(texto) + MARGEN > disponible + 1e-6:
                        fallas.append(f"{nombre}!{c.get('r')} muestra {texto[:30]!r} en {disponible:.2f}")
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
