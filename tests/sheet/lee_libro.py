#!/usr/bin/env python3
"""Reads a workbook with openpyxl, a reader independent of the writer, and
prints what the tests check as JSON: sheet names, the active sheet, every cell
that holds a value or a format (value, formula, cached value, number format,
alignments, wrap, shrink, fill), merges and column widths.

Usage: lee_libro.py LIBRO.xlsx
"""
import json
import sys

import openpyxl
from openpyxl.utils import get_column_letter


def main():
    ruta = sys.argv[1]
    libro = openpyxl.load_workbook(ruta)
    valores = openpyxl.load_workbook(ruta, data_only=True)
    salida = {"hojas": libro.sheetnames, "activa": libro.active.title, "celdas": {}, "merges": {}, "anchos": {}}
    for hoja in libro.worksheets:
        cache = valores[hoja.title]
        salida["merges"][hoja.title] = sorted(str(r) for r in hoja.merged_cells.ranges)
        salida["anchos"][hoja.title] = {get_column_letter(c): d.width for d in hoja.column_dimensions.values()
                                        if d.customWidth for c in range(d.min, d.max + 1)}
        for fila in hoja.iter_rows():
            for celda in fila:
                if celda.__class__.__name__ == "MergedCell":
                    continue
                relleno = celda.fill.fill_type
                if celda.value is None and not celda.has_style:
                    continue
                formula = celda.value if celda.data_type == "f" else None
                valor = None if formula is not None else celda.value
                salida["celdas"][f"{hoja.title}!{celda.coordinate}"] = {
                    "valor": valor,
                    "tipo": celda.data_type,
                    "formula": formula,
                    "cache": cache[celda.coordinate].value,
                    "formato": celda.number_format,
                    "h": celda.alignment.horizontal,
                    "v": celda.alignment.vertical,
                    "ajustar": bool(celda.alignment.wrap_text),
                    "encoger": bool(celda.alignment.shrink_to_fit),
                    "relleno": relleno,
                    "color": celda.fill.fgColor.rgb if relleno and celda.fill.fgColor.type == "rgb" else None,
                }
    json.dump(salida, sys.stdout, ensure_ascii=False, default=str)


if __name__ == "__main__":
    main()
