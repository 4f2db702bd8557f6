"""Prints the print settings of each sheet of an .xlsx file as JSON, for the page-setup tests.

Usage: read_pagesetup.py FILE
"""
import json
import sys

import openpyxl


def sheet_setup(ws):
    setup, margins = ws.page_setup, ws.page_margins
    return {
        "name": ws.title,
        "paper": int(setup.paperSize or 0),
        "landscape": setup.orientation == "landscape",
        "fitToPage": bool(ws.sheet_properties.pageSetUpPr and ws.sheet_properties.pageSetUpPr.fitToPage),
        "fitToWidth": int(setup.fitToWidth if setup.fitToWidth is not None else 1),
        "fitToHeight": int(setup.fitToHeight if setup.fitToHeight is not None else 1),
        "margins": [margins.left, margins.right, margins.top, margins.bottom],
        "centered": bool(ws.print_options.horizontalCentered),
        "titles": ws.print_title_rows or "",
        "footer": ws.oddFooter.center.text or "",
        "breaks": [b.id for b in ws.row_breaks.brk],
    }


def main():
    book = openpyxl.load_workbook(sys.argv[1])
    print(json.dumps({"sheets": [sheet_setup(ws) for ws in book.worksheets]}, ensure_ascii=False))


if __name__ == "__main__":
    main()
