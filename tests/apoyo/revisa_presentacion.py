#!/usr/bin/env python3
"""Checks a written workbook the way its readers see it.

    /usr/bin/python3 revisa_presentacion.py LIBRO.xlsx [--paginas-max N]
    /usr/bin/python3 revisa_presentacion.py LIBRO.xlsx --recalcula SALIDA.json

- LibreOffice (headless, throwaway profile) prints it to PDF: pdftotext finds no
  "###" (a value too wide for its column), every page is landscape, and there
  are at most N pages when --paginas-max is given.
- LibreOffice and Gnumeric (ssconvert --recalc) recalculate every formula: each
  result equals the value cached in the file, and neither prints anything on
  its error output.
Prints one summary line; exits non-zero with the reasons on any failure.

With --recalcula only LibreOffice recalculates (told to recalculate every formula
on load, whatever the cached values say), and SALIDA.json gets
{"<sheet>": {"<A1 ref>": value}} for every non-empty cell; a formula it could not
compute comes out as its error text ("#REF!", "Err:504", ...).
"""
import argparse
import json
import math
import os
import re
import shutil
import subprocess
import sys
import tempfile
import warnings

import openpyxl

# Gnumeric's files carry no default style; openpyxl says so and reads them fine.
warnings.filterwarnings("ignore", category=UserWarning, module="openpyxl")
REGISTRO = """<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry"
           xmlns:xs="http://www.w3.org/2001/XMLSchema"
           xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Office.Calc/Formula/Load"><prop oor:name="OOXMLRecalcMode" oor:op="fuse"><value>0</value></prop></item>
<item oor:path="/org.openoffice.Office.Calc/Formula/Load"><prop oor:name="ODFRecalcMode" oor:op="fuse"><value>0</value></prop></item>
</oor:items>
"""

fallas = []


def corre(orden, tmp, timeout=900):
    r = subprocess.run(orden, stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=timeout,
                       env=dict(os.environ, HOME=tmp))
    return r.returncode, r.stdout.decode(errors="replace"), r.stderr.decode(errors="replace")


def libreoffice(tmp, origen, filtro, destino):
    perfil = os.path.join(tmp, "perfil")
    if not os.path.exists(perfil):
        os.makedirs(os.path.join(perfil, "user"))
        with open(os.path.join(perfil, "user", "registrymodifications.xcu"), "w", encoding="utf-8") as f:
            f.write(REGISTRO)
    soffice = shutil.which("soffice") or shutil.which("libreoffice")
    if not soffice:
        fallas.append("LibreOffice (soffice) no está instalado")
        return None
    os.makedirs(destino, exist_ok=True)
    rc, _, err = corre([soffice, "--headless", "--norestore", "--nolockcheck",
                        "-env:UserInstallation=file://" + perfil,
                        "--convert-to", filtro, "--outdir", destino, origen], tmp)
    # Java is not installed on purpose: LibreOffice's note about it is not about the workbook.
    avisos = [l for l in err.splitlines() if l.strip() and "javaldx" not in l]
    if avisos:
        fallas.append("LibreOffice escribió en su salida de errores: " + " / ".join(avisos)[:500])
    salida = os.path.join(destino, os.path.splitext(os.path.basename(origen))[0] + "." + filtro.split(":")[0])
    if rc != 0 or not os.path.exists(salida):
        fallas.append(f"LibreOffice no pudo convertir a {filtro}")
        return None
    return salida


def valores(ruta):
    libro = openpyxl.load_workbook(ruta, data_only=True)
    return {h.title: {c.coordinate: c.value for fila in h.iter_rows() for c in fila if c.value is not None}
            for h in libro.worksheets}


def iguales(a, b):
    if isinstance(a, (int, float)) and isinstance(b, (int, float)):
        return math.isclose(float(a), float(b), rel_tol=1e-9, abs_tol=1e-6)
    return a == b


def main():
    arg = argparse.ArgumentParser()
    arg.add_argument("libro")
    arg.add_argument("--paginas-max", type=int, default=0)
    arg.add_argument("--recalcula")
    a = arg.parse_args()
    with tempfile.TemporaryDirectory() as tmp:
        origen = os.path.join(tmp, "libro.xlsx")
        shutil.copyfile(a.libro, origen)
        if a.recalcula:
            lo = libreoffice(tmp, origen, "xlsx:Calc MS Excel 2007 XML", os.path.join(tmp, "lo"))
            if lo is None:
                print(f"{a.libro}: " + "; ".join(fallas), file=sys.stderr)
                return 1
            todo = {h: {r: v for r, v in c.items() if v != ""} for h, c in valores(lo).items()}
            with open(a.recalcula, "w", encoding="utf-8") as f:
                json.dump(todo, f, ensure_ascii=False, default=str)
            return 0

        # Printed.
        pdf = libreoffice(tmp, origen, "pdf", os.path.join(tmp, "pdf"))
        paginas = 0
        if pdf:
            texto = subprocess.run(["pdftotext", "-layout", pdf, "-"], stdout=subprocess.PIPE,
                                   check=True).stdout.decode(errors="replace")
            if "###" in texto:
                fallas.append(f"el PDF muestra ### {texto.count('###')} veces")
            info = subprocess.run(["pdfinfo", "-f", "1", "-l", "100000", pdf], stdout=subprocess.PIPE,
                                  check=True).stdout.decode(errors="replace")
            paginas = int(re.search(r"^Pages:\s+(\d+)", info, re.M).group(1))
            for ancho, alto in re.findall(r"size:\s+([\d.]+) x ([\d.]+) pts", info):
                if float(ancho) <= float(alto):
                    fallas.append(f"una página no es horizontal ({ancho} x {alto} pts)")
                    break
            if a.paginas_max and paginas > a.paginas_max:
                fallas.append(f"{paginas} páginas, más de {a.paginas_max}")
        # Recalculated.
        guardado = valores(origen)
        formulas = {h.title: {c.coordinate for fila in h.iter_rows() for c in fila if c.data_type == "f"}
                    for h in openpyxl.load_workbook(origen).worksheets}
        lo = libreoffice(tmp, origen, "xlsx:Calc MS Excel 2007 XML", os.path.join(tmp, "lo"))
        gnumeric = os.path.join(tmp, "gnumeric.xlsx")
        rc, out, err = corre(["ssconvert", "--recalc", origen, gnumeric], tmp)
        if (out + err).strip():
            fallas.append("Gnumeric escribió: " + (out + err).strip()[:500])
        if rc != 0 or not os.path.exists(gnumeric):
            fallas.append("Gnumeric no pudo recalcular el libro")
            gnumeric = None
        cuenta = 0
        for nombre, ruta in (("LibreOffice", lo), ("Gnumeric", gnumeric)):
            if ruta is None:
                continue
            otro = valores(ruta)
            distintas = []
            for hoja, celdas in formulas.items():
                for ref in celdas:
                    esperado = guardado.get(hoja, {}).get(ref, 0)
                    visto = otro.get(hoja, {}).get(ref, 0)
                    if not iguales(esperado, visto):
                        distintas.append(f"{hoja}!{ref}: guardado {esperado!r}, {nombre} {visto!r}")
            cuenta = sum(len(c) for c in formulas.values())
            if distintas:
                fallas.append(f"{nombre} recalcula distinto {len(distintas)} fórmulas: " + "; ".join(distintas[:10]))
    if fallas:
        for f in fallas:
            print(f"{a.libro}: {f}", file=sys.stderr)
        return 1
    print(f"{a.libro}: {paginas} páginas sin ###; {cuenta} fórmulas iguales en LibreOffice y Gnumeric")
    return 0


if __name__ == "__main__":
    sys.exit(main())
