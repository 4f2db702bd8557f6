"""Prints what the zip container of an .xlsx file holds, as JSON: its entries, whether each XML
part parses, the shared strings with their _xHHHH_ escapes decoded, and per sheet its cells and
rows as written. Numbers are also given as the bits of the double they read as.

Usage: read_package.py FILE
"""
import json
import re
import struct
import sys
import zipfile
import xml.etree.ElementTree as ET

NS = {"m": "http://schemas.openxmlformats.org/spreadsheetml/2006/main"}
ESCAPE = re.compile(r"_x([0-9A-Fa-f]{4})_")


def unescape(text):
    return ESCAPE.sub(lambda m: chr(int(m.group(1), 16)), text or "")


def double_bits(text):
    try:
        return str(struct.unpack("<q", struct.pack("<d", float(text)))[0])
    except ValueError:
        return None


def sheet(root):
    cells = {}
    for c in root.iterfind(".//m:sheetData/m:row/m:c", NS):
        v, f = c.find("m:v", NS), c.find("m:f", NS)
        entry = {"t": c.get("t", "n"), "s": c.get("s")}
        if v is not None:
            entry["v"] = unescape(v.text)
            entry["bits"] = double_bits(v.text) if entry["t"] == "n" else None
        if f is not None:
            entry["f"] = unescape(f.text)
        cells[c.get("r")] = entry
    rows = {r.get("r"): {"ht": r.get("ht"), "hidden": r.get("hidden") == "1"}
            for r in root.iterfind(".//m:sheetData/m:row", NS)}
    view = root.find(".//m:sheetView", NS)
    return {"cells": cells, "rows": rows, "gridlines": view.get("showGridLines", "1") == "1"}


def main():
    package = zipfile.ZipFile(sys.argv[1])
    out = {"damaged": package.testzip(), "entries": [], "wellFormed": {}, "strings": [], "sheets": {}}
    for info in package.infolist():
        out["entries"].append({"name": info.filename, "method": info.compress_type})
        if not info.filename.endswith((".xml", ".rels")):
            continue
        try:
            root = ET.fromstring(package.read(info))
        except ET.ParseError as error:
            out["wellFormed"][info.filename] = str(error)
            continue
        out["wellFormed"][info.filename] = True
        if info.filename == "xl/sharedStrings.xml":
            out["strings"] = [unescape("".join(t.text or "" for t in si.iterfind(".//m:t", NS)))
                              for si in root.iterfind("m:si", NS)]
        elif info.filename.startswith("xl/worksheets/"):
            out["sheets"][info.filename] = sheet(root)
    print(json.dumps(out, ensure_ascii=False))


main()
