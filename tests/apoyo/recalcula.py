#!/usr/bin/env python3
"""Recalculates a workbook with a real spreadsheet and dumps every cell.

    /usr/bin/python3 recalcula.py IN.xlsx OUT.json   (Debian's python carries openpyxl)

LibreOffice (headless, with a throwaway profile told to recalculate every
formula on load, whatever the cached values say) opens IN.xlsx and saves a
copy; the copy is read back with openpyxl. OUT.json gets
{"<sheet>": {"<A1 ref>": value, ...}} for every non-empty cell: numbers as
numbers, texts as strings, booleans as booleans. A formula the spreadsheet
could not compute comes out as its error text ("#REF!", "Err:504", ...).
Exits non-zero when LibreOffice is missing or the conversion fails.
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile

import openpyxl

REGISTRO = """<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry"
           xmlns:xs="http://www.w3.org/2001/XMLSchema"
           xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Office.Calc/Formula/Load"><prop oor:name="OOXMLRecalcMode" oor:op="fuse"><value>0</value></prop></item>
<item oor:path="/org.openoffice.Office.Calc/Formula/Load"><prop oor:name="ODFRecalcMode" oor:op="fuse"><value>0</value></prop></item>
</oor:items>
"""


def recalcula(entrada, salida_json):
    soffice = shutil.which("soffice") or shutil.which("libreoffice")
    if not soffice:
        print("recalcula: LibreOffice (soffice) no está instalado", file=sys.stderr)
        return 2
    with tempfile.TemporaryDirectory() as tmp:
        perfil = os.path.join(tmp, "perfil")
        os.makedirs(os.path.join(perfil, "user"))
        with open(os.path.join(perfil, "user", "registrymodifications.xcu"), "w", encoding="utf-8") as f:
            f.write(REGISTRO)
        origen = os.path.join(tmp, "origen.xlsx")
        shutil.copyfile(entrada, origen)
        destino = os.path.join(tmp, "salida")
        os.makedirs(destino)
        orden = [soffice, "--headless", "--norestore", "--nolockcheck",
                 "-env:UserInstallation=file://" + perfil,
                 "--convert-to", "xlsx:Calc MS Excel 2007 XML", "--outdir", destino, origen]
        r = subprocess.run(orden, stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=600,
                           env=dict(os.environ, HOME=tmp))
        convertido = os.path.join(destino, "origen.xlsx")
        if r.returncode != 0 or not os.path.exists(convertido):
            sys.stderr.write(r.stdout.decode(errors="replace") + r.stderr.decode(errors="replace"))
            print("recalcula: LibreOffice no pudo convertir " + entrada, file=sys.stderr)
            return 1
        libro = openpyxl.load_workbook(convertido, data_only=True)
        todo = {}
        for hoja in libro.worksheets:
            celdas = {}
            for fila in hoja.iter_rows():
                for c in fila:
                    if c.value is not None and c.value != "":
                        celdas[c.coordinate] = c.value
            todo[hoja.title] = celdas
    with open(salida_json, "w", encoding="utf-8") as f:
        json.dump(todo, f, ensure_ascii=False, default=str)
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        print("uso: recalcula.py ENTRADA.xlsx SALIDA.json", file=sys.stderr)
        sys.exit(64)
    sys.exit(recalcula(sys.argv[1], sys.argv[2]))
