"""Prints what an .xlsx file holds, as JSON, for the round-trip tests."""
import json
import sys

import openpyxl


def value(v):
    if v is None:
        return {"empty": True}
    if isinstance(v, bool):
        return {"boolean": v}
    if isinstance(v, (int, float)):
        return {"number": float(v)}
    return {"text": str(v)}


def side(s):
    return s.style or "none"


def sheet_summary(values_ws, formulas_ws):
    cells, styles = {}, {}
    for row in formulas_ws.iter_rows():
        for cell in row:
            key = "%d,%d" % (cell.row - 1, cell.column - 1)
            entry = value(values_ws.cell(cell.row, cell.column).value)
            if isinstance(cell.value, str) and cell.value.startswith("="):
                entry["formula"] = cell.value[1:]
            cells[key] = entry
            b = cell.border
            fill = None
            if cell.fill is not None and cell.fill.fill_type == "solid":
                fill = str(cell.fill.fgColor.rgb)[-6:]
            styles[key] = {
                "bold": bool(cell.font.b), "italic": bool(cell.font.i), "font": cell.font.name,
                "size": float(cell.font.sz or 0),
                "borders": [side(b.left), side(b.right), side(b.top), side(b.bottom)],
                "format": cell.number_format, "fill": fill, "locked": bool(cell.protection.locked),
            }
    columns = {}
    for letter, dim in formulas_ws.column_dimensions.items():
        index = openpyxl.utils.column_index_from_string(letter) - 1
        for c in range(dim.min or index + 1, (dim.max or index + 1) + 1):
            columns[str(c - 1)] = {"width": dim.width, "hidden": bool(dim.hidden)}
    rows = {str(r - 1): {"height": dim.ht, "hidden": bool(dim.hidden)}
            for r, dim in formulas_ws.row_dimensions.items() if dim.ht is not None or dim.hidden}
    merges = [[m.min_row - 1, m.max_row, m.min_col - 1, m.max_col] for m in formulas_ws.merged_cells.ranges]
    return {"name": formulas_ws.title, "cells": cells, "styles": styles, "merges": merges,
            "columns": columns, "rows": rows, "protected": bool(formulas_ws.protection.sheet)}


def main():
    formulas = openpyxl.load_workbook(sys.argv[1], data_only=False)
    values = openpyxl.load_workbook(sys.argv[1], data_only=True)
    sheets = [sheet_summary(values[name], formulas[name]) for name in formulas.sheetnames]
    print(json.dumps({"sheets": sheets}, ensure_ascii=False))


main()
