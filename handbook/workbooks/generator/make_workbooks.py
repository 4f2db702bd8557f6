#!/usr/bin/env python3
"""Writes the stored workbook of every estimating page and the manifest of the Report table.

    python3 handbook/workbooks/generator/make_workbooks.py

The output is the reviewed source: one JSON file per page in handbook/workbooks/ (the workbook
engine's stored format, see src/workbooks/engine/FORMAT.md) and manifest.csv.
"""

import json
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import pages_castiron  # noqa: E402
import pages_duct  # noqa: E402
import pages_insulation  # noqa: E402
import pages_ledger  # noqa: E402
import pages_misc  # noqa: E402
import pages_quick  # noqa: E402
from book import KINDS, ref  # noqa: E402

OUT = os.path.dirname(HERE)
MODULES = [pages_insulation, pages_castiron, pages_quick, pages_ledger, pages_duct, pages_misc]


def style_json(kind, fmt):
    k = KINDS[kind]
    style = {"size": k["size"]}
    if k.get("bold"):
        style["bold"] = True
    if k.get("fill") is not None:
        style["fill"] = "#%06X" % k["fill"]
    if k.get("border"):
        style["border"] = "thin"
    if k["align"] != "general":
        style["hAlign"] = k["align"]
    style["vAlign"] = "center"
    if k.get("wrap"):
        style["wrap"] = True
    if fmt != "General":
        style["numberFormat"] = fmt
    if not k["locked"]:
        style["locked"] = False
    return style


def looks_typed(text):
    """True when typing the text would not give this text back (a number, formula, error...)."""
    if text[:1] in ("=", "'", "#") or text.upper() in ("TRUE", "FALSE"):
        return True
    try:
        float(text.replace(",", "").rstrip("%"))
        return True
    except ValueError:
        return False


def content_json(content):
    if content is None:
        return None
    if isinstance(content, str):
        if content.startswith("="):
            return content
        return "'" + content if looks_typed(content) else content
    if isinstance(content, bool):
        raise ValueError("no booleans on the sheets")
    return content


def style_name(kind, fmt):
    if fmt == "General":
        return kind
    return kind + "_" + fmt.replace(".", "d")


def row_runs(rows):
    """{3, 4, 5, 9} -> ["3:5", "9"]."""
    runs = []
    for row in sorted(rows):
        if runs and runs[-1][1] == row - 1:
            runs[-1][1] = row
        else:
            runs.append([row, row])
    return [str(a) if a == b else f"{a}:{b}" for a, b in runs]


def page_json(book):
    page = {"paper": "A4", "landscape": book.landscape, "fitToWidth": True,
            "margins": [0.5, 0.5, 0.6, 0.6], "centerHorizontally": True}
    titles = book.plan_printing()
    if titles:
        page["titleRows"] = row_runs(range(titles[0], titles[1] + 1))[0]
    page["footer"] = "第 &P 页 共 &N 页"
    page["keepWithNext"] = row_runs(book.keep_with_next - book.note_rows)
    page["notes"] = row_runs(book.note_rows)
    return page


def book_json(book):
    book.fit_wrapped_rows()
    styles = {}
    cells = {}
    for (row, col) in sorted(book.cells):
        cell = book.cells[(row, col)]
        name = style_name(cell.kind, cell.fmt)
        if name not in styles:
            styles[name] = style_json(cell.kind, cell.fmt)
        cells[ref(row, col)] = {"input": content_json(cell.content), "style": name}
    sheet = {
        "name": "Sheet1",
        "protected": True,
        "gridlines": False,
        "columns": {ref(1, c)[:-1]: w for c, w in sorted(book.widths.items())},
        "rows": {str(r): h for r, h in sorted(book.heights.items())},
        "hiddenColumns": [ref(1, c)[:-1] for c in sorted(book.hidden)],
        "merges": [f"{ref(r1, c1)}:{ref(r2, c2)}" for (r1, c1, r2, c2) in book.merges],
        "page": page_json(book),
        "cells": cells,
    }
    return {
        "format": "mhbk-workbook",
        "version": 1,
        "defaultStyle": {"font": "宋体", "size": 10},
        "styles": styles,
        "sheets": [sheet],
    }


def one_line(value):
    return json.dumps(value, ensure_ascii=False)


def dump(doc):
    """Indented JSON with one line per style and per cell, so that a diff shows cell changes."""
    sheet = doc["sheets"][0]
    lines = ["{"]
    for key in ("format", "version", "defaultStyle"):
        lines.append(f' "{key}": {one_line(doc[key])},')
    lines.append(' "styles": {')
    lines.append(",\n".join(f"  {one_line(k)}: {one_line(v)}" for k, v in doc["styles"].items()))
    lines.append(" },")
    lines.append(' "sheets": [')
    lines.append("  {")
    for key, value in sheet.items():
        if key != "cells":
            lines.append(f"   {one_line(key)}: {one_line(value)},")
    lines.append('   "cells": {')
    lines.append(",\n".join(f"    {one_line(k)}: {one_line(v)}" for k, v in sheet["cells"].items()))
    lines.append("   }")
    lines.append("  }")
    lines.append(" ]")
    lines.append("}")
    text = "\n".join(lines)
    assert json.loads(text) == doc
    return text


def main():
    books = [page() for module in MODULES for page in module.PAGES]
    books.sort(key=lambda b: b.index)
    for book in books:
        text = dump(book_json(book))
        text.encode("gbk")   # every stored text must be representable in GBK
        with open(os.path.join(OUT, book.file), "w", encoding="utf-8", newline="\n") as f:
            f.write(text + "\n")
    with open(os.path.join(OUT, "manifest.csv"), "w", encoding="utf-8", newline="\n") as f:
        f.write("Index:INTEGER,lx:INTEGER,file:TEXT\n")
        for book in books:
            f.write(f"{book.index},{book.lx},{book.file}\n")
    print(f"{len(books)} workbooks written to {OUT}")


if __name__ == "__main__":
    main()
