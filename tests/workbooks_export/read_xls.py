"""Prints what an .xls file holds, as JSON, for the round-trip tests.

Usage: read_xls.py FILE             -> workbook summary
       read_xls.py --stream FILE    -> length and checksum of the compound file's Workbook stream
       read_xls.py --formulas FILE  -> per sheet, every formula cell's text as xlrd decompiles
                                       its tokens, and its cached result
"""
import hashlib
import json
import struct
import sys

import xlrd
from xlrd import compdoc, formula


def cell_value(cell):
    if cell.ctype == xlrd.XL_CELL_NUMBER:
        return {"number": cell.value}
    if cell.ctype == xlrd.XL_CELL_TEXT:
        return {"text": cell.value}
    if cell.ctype == xlrd.XL_CELL_BOOLEAN:
        return {"boolean": bool(cell.value)}
    if cell.ctype == xlrd.XL_CELL_ERROR:
        return {"error": xlrd.error_text_from_code[cell.value]}
    return {"empty": True}


def sheet_protected(book, index):
    """xlrd skips the PROTECT record, so the sheet's records are walked here."""
    data, pos = book.mem, book._sh_abs_posn[index]
    while pos + 4 <= len(data):
        rid, size = struct.unpack_from("<HH", data, pos)
        if rid == 0x0012:
            return struct.unpack_from("<H", data, pos + 4)[0] == 1
        if rid == 0x000A:
            return False
        pos += 4 + size
    return False


def sheet_records(book, index):
    """The (id, data) records of one sheet, up to its EOF."""
    data, pos = book.mem, book._sh_abs_posn[index]
    while pos + 4 <= len(data):
        rid, size = struct.unpack_from("<HH", data, pos)
        yield rid, data[pos + 4:pos + 4 + size]
        if rid == 0x000A:
            return
        pos += 4 + size


def decompile(book, tokens, row, col):
    """xlrd's decompiler, given the cell's position also where it forgets to pass it on
    (relative 3-D areas)."""
    plain = formula.get_cell_range_addr

    def with_base(data, pos, bv, reldelta, browx=None, bcolx=None):
        return plain(data, pos, bv, reldelta, row if browx is None else browx, col if bcolx is None else bcolx)

    formula.get_cell_range_addr = with_base
    try:
        return formula.decompile_formula(book, tokens, len(tokens), formula.FMLA_TYPE_CELL,
                                         browx=row, bcolx=col)
    finally:
        formula.get_cell_range_addr = plain


def sheet_formulas(book, index):
    sheet = book.sheet_by_index(index)
    formulas = {}
    for rid, rec in sheet_records(book, index):
        if rid != 0x0006:
            continue
        row, col = struct.unpack_from("<HH", rec, 0)
        size = struct.unpack_from("<H", rec, 20)[0]
        text = decompile(book, rec[22:22 + size], row, col)
        formulas["%d,%d" % (row, col)] = {"formula": text, "value": cell_value(sheet.cell(row, col)),
                                          "tokens": rec[22:22 + size].hex()}
    return {"name": sheet.name, "formulas": formulas}


def sheet_summary(book, sheet):
    cells, styles = {}, {}
    for r in range(sheet.nrows):
        for c in range(sheet.ncols):
            cell = sheet.cell(r, c)
            key = "%d,%d" % (r, c)
            xf = book.xf_list[cell.xf_index]
            font = book.font_list[xf.font_index]
            b = xf.border
            fmt = book.format_map[xf.format_key].format_str
            fill = None
            if xf.background.fill_pattern == 1:
                fill = "%02X%02X%02X" % tuple(book.colour_map[xf.background.pattern_colour_index])
            if cell.ctype != xlrd.XL_CELL_EMPTY or cell.ctype == xlrd.XL_CELL_BLANK:
                cells[key] = cell_value(cell)
            styles[key] = {
                "bold": bool(font.bold), "italic": bool(font.italic), "font": font.name,
                "size": font.height / 20.0,
                "borders": [b.left_line_style, b.right_line_style, b.top_line_style, b.bottom_line_style],
                "format": fmt, "fill": fill, "locked": bool(xf.protection.cell_locked),
                "halign": xf.alignment.hor_align, "wrap": bool(xf.alignment.text_wrapped),
            }
    columns = {str(c): {"width": info.width / 256.0, "hidden": bool(info.hidden)}
               for c, info in sheet.colinfo_map.items()}
    rows = {str(r): {"height": info.height / 20.0, "hidden": bool(info.hidden)}
            for r, info in sheet.rowinfo_map.items()}
    return {"name": sheet.name, "cells": cells, "styles": styles,
            "merges": [list(m) for m in sheet.merged_cells], "columns": columns, "rows": rows,
            "protected": sheet_protected(book, sheet.number)}


def main():
    if sys.argv[1] == "--stream":
        data = open(sys.argv[2], "rb").read()
        doc = compdoc.CompDoc(data, logfile=sys.stderr)
        stream = doc.get_named_stream("Workbook")
        print(json.dumps({"size": len(stream), "sha1": hashlib.sha1(stream).hexdigest()}))
        return
    if sys.argv[1] == "--formulas":
        book = xlrd.open_workbook(sys.argv[2], formatting_info=True, on_demand=True)
        print(json.dumps({"sheets": [sheet_formulas(book, i) for i in range(book.nsheets)]}, ensure_ascii=False))
        return
    book = xlrd.open_workbook(sys.argv[1], formatting_info=True, on_demand=True)
    print(json.dumps({"sheets": [sheet_summary(book, book.sheet_by_index(i)) for i in range(book.nsheets)]}, ensure_ascii=False))


main()
