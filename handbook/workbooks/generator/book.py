"""A small model of one stored workbook page: cells, styles, layout, print setup.

Pages are described in pages_*.py with this model; emit.py writes each one as the stored
JSON workbook. Rows and columns are 1-based here (as on the printed sheet); the emitter
converts to the engine's A1 addresses.
"""

from dataclasses import dataclass, field

# Fills (0xRRGGBB). Input cells are yellow, reference values (unsourced, editable) green,
# column headings blue, totals grey.
FILL_INPUT = 0xFFF2CC
FILL_REF = 0xE2EFDA
FILL_HEAD = 0xDDEBF7
FILL_TOTAL = 0xEDEDED
FILL_TABLE = 0xF2F2F2

# Style kinds: name -> (bold, size, fill, borders, halign, locked, wrap, italic)
KINDS = {
    "title":    dict(bold=True, size=16, fill=None, border=False, align="center", locked=True),
    "subtitle": dict(bold=False, size=10, fill=None, border=False, align="left", locked=True, wrap=True),
    "subtitler": dict(bold=False, size=10, fill=None, border=False, align="right", locked=True),
    "head":     dict(bold=True, size=10, fill=FILL_HEAD, border=True, align="center", locked=True, wrap=True),
    "label":    dict(bold=False, size=10, fill=None, border=True, align="center", locked=True),
    "labell":   dict(bold=False, size=10, fill=None, border=True, align="left", locked=True),
    "value":    dict(bold=False, size=10, fill=None, border=True, align="right", locked=True),
    "calc":     dict(bold=False, size=10, fill=None, border=True, align="right", locked=True),
    "input":    dict(bold=False, size=10, fill=FILL_INPUT, border=True, align="right", locked=False),
    "inputt":   dict(bold=False, size=10, fill=FILL_INPUT, border=True, align="left", locked=False),
    "ref":      dict(bold=False, size=10, fill=FILL_REF, border=True, align="right", locked=False),
    "reft":     dict(bold=False, size=10, fill=FILL_REF, border=True, align="center", locked=False),
    "total":    dict(bold=True, size=10, fill=FILL_TOTAL, border=True, align="right", locked=True),
    "totall":   dict(bold=True, size=10, fill=FILL_TOTAL, border=True, align="center", locked=True),
    "note":     dict(bold=False, size=9, fill=None, border=False, align="left", locked=True, wrap=True),
    "table":    dict(bold=False, size=10, fill=FILL_TABLE, border=True, align="center", locked=True),
    "result":   dict(bold=False, size=10, fill=None, border=True, align="center", locked=True),
    "plain":    dict(bold=False, size=10, fill=None, border=False, align="general", locked=True),
}


def col_name(col):
    """1 -> A, 27 -> AA."""
    name = ""
    while col > 0:
        col, rem = divmod(col - 1, 26)
        name = chr(65 + rem) + name
    return name


def ref(row, col):
    return f"{col_name(col)}{row}"


@dataclass
class Cell:
    content: object  # None, number, text, or "=formula"
    kind: str
    fmt: str = "General"


@dataclass
class Book:
    index: int
    file: str
    title: str
    cells: dict = field(default_factory=dict)
    widths: dict = field(default_factory=dict)
    heights: dict = field(default_factory=dict)
    merges: list = field(default_factory=list)
    hidden: list = field(default_factory=list)
    landscape: bool = False
    lx: int = 0
    # Printing: rows that never end a page (titles and headings go with what follows) and note
    # rows (never the start of a page). plan_printing() adds the sections and the print titles.
    keep_with_next: set = field(default_factory=set)
    note_rows: set = field(default_factory=set)

    def put(self, row, col, content, kind="plain", fmt="General"):
        self.cells[(row, col)] = Cell(content, kind, fmt)

    def style(self, row, col, kind, fmt="General"):
        """Styles a cell without content (an empty input cell, a framed blank)."""
        old = self.cells.get((row, col))
        self.cells[(row, col)] = Cell(old.content if old else None, kind, fmt)

    def merge(self, r1, c1, r2, c2):
        self.merges.append((r1, c1, r2, c2))

    def width(self, col, chars):
        self.widths[col] = chars

    def title_row(self, text, last_col, row=1, subtitle=None):
        self.put(row, 1, text, "title")
        for c in range(2, last_col + 1):
            self.style(row, c, "title")
        self.merge(row, 1, row, last_col)
        self.heights[row] = 26
        self.keep_with_next.add(row)
        if subtitle:
            self.put(row + 1, 1, subtitle, "subtitle")
            self.merge(row + 1, 1, row + 1, last_col)
            self.keep_with_next.add(row + 1)

    def project_name(self, row, label, label_cols, last_col):
        """The label ending in "工程名称：" and an input cell for the project name to its right."""
        self.put(row, 1, label, "subtitler")
        for c in range(2, label_cols + 1):
            self.style(row, c, "subtitler")
        if label_cols > 1:
            self.merge(row, 1, row, label_cols)
        for c in range(label_cols + 1, last_col + 1):
            self.style(row, c, "inputt")
        self.merge(row, label_cols + 1, row, last_col)
        self.heights[row] = 20
        self.keep_with_next.add(row)

    def headings(self, row, texts, first_col=1, height=30):
        for i, text in enumerate(texts):
            self.put(row, first_col + i, text, "head")
        self.heights[row] = height
        self.keep_with_next.add(row)

    def notes(self, row, lines, last_col):
        """Footer lines: the rules and standards behind the figures."""
        for i, line in enumerate(lines):
            self.put(row + i, 1, line, "note")
            self.merge(row + i, 1, row + i, last_col)
            self.note_rows.add(row + i)
        return row + len(lines)

    def legend(self, row, last_col, with_ref=True):
        text = "说明：黄色底纹为输入单元格"
        if with_ref:
            text += "；绿色底纹为参考值（未能核对标准原文，可按所用标准或定额修改）"
        text += "；其余单元格为公式或标准数据，已锁定。"
        self.put(row, 1, text, "note")
        self.merge(row, 1, row, last_col)
        self.note_rows.add(row)

    def filled(self, row):
        return sorted(c for (r, c), cell in self.cells.items() if r == row and cell.content is not None)

    def kinds(self, row):
        return {cell.kind for (r, _), cell in self.cells.items() if r == row and cell.content is not None}

    def plan_printing(self):
        """Print titles and the rows kept together on a page.

        The heading rows repeat on every page when the sheet has one table (one run of heading
        rows); a sheet of several tables starts each continuation page with a table's own
        headings instead. A section caption (a lone left-aligned label in column A) goes with
        its table, and a short section (caption to the next empty row, at most 8 rows) is
        never split."""
        head_rows = sorted({r for (r, _), cell in self.cells.items() if cell.kind == "head"})
        runs = []
        for r in head_rows:
            if runs and runs[-1][1] == r - 1:
                runs[-1][1] = r
            else:
                runs.append([r, r])
        self.keep_with_next.update(head_rows)
        titles = tuple(runs[0]) if len(runs) == 1 else None
        last = self.last_row()
        for row in range(1, last + 1):
            if self.filled(row) != [1] or self.kinds(row) != {"labell"}:
                continue
            self.keep_with_next.add(row)
            end = row
            while end + 1 <= last and self.filled(end + 1) and (end + 1) not in self.note_rows:
                end += 1
            if end - row + 1 <= 8:
                self.keep_with_next.update(range(row, end))
        return titles

    def span(self, row, col):
        """Width in pixels of the cell, or of the merged range it starts."""
        last_col = col
        for (r1, c1, _, c2) in self.merges:
            if (r1, c1) == (row, col):
                last_col = c2
        return sum(self.widths.get(c, 8.43) * 7 + 5 for c in range(col, last_col + 1) if c not in self.hidden)

    @staticmethod
    def line_count(text, width_px, size):
        # A CJK character is about as wide as the font size in pixels (96 dpi: pt * 4/3).
        per_line = max(1.0, width_px / (size * 4 / 3) - 1)
        count = 0
        for part in text.split("\n"):
            units = sum(1.0 if ord(ch) > 0x2E80 else 0.55 for ch in part)
            count += int(units / per_line) + 1 if units else 1
        return count

    def fit_wrapped_rows(self):
        """Row heights for wrapped notes and headings, so that nothing is cut off."""
        for (row, col), cell in self.cells.items():
            if cell.kind not in ("note", "subtitle", "head") or not isinstance(cell.content, str):
                continue
            if col in self.hidden:
                continue
            size = KINDS[cell.kind]["size"]
            lines = self.line_count(cell.content, self.span(row, col) - 4, size)
            height = round(lines * size * 1.4 + 4, 1)
            self.heights[row] = max(self.heights.get(row, 0), height)

    def total_width(self):
        return sum(self.widths.get(c, 8.43) for c in range(1, self.last_col() + 1)
                   if c not in self.hidden)

    def last_col(self):
        return max(c for (_, c) in self.cells)

    def last_row(self):
        return max(r for (r, _) in self.cells)
