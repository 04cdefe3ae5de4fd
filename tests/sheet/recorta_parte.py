#!/usr/bin/env python3
"""Copies a workbook with one of its parts cut to half its length, the way a
failed temporary write leaves it: recorta_parte.py ORIGEN DESTINO PARTE"""
import sys
import zipfile

origen, destino, parte = sys.argv[1:4]
with zipfile.ZipFile(origen) as a, zipfile.ZipFile(destino, "w", zipfile.ZIP_DEFLATED) as b:
    for info in a.infolist():
        datos = a.read(info.filename)
        if info.filename == parte:
            datos = datos[: len(datos) // 2]
        b.writestr(info.filename, datos)
