"""Duct plate thickness and quota selection sheets, pages 45 to 48.

The program reads and writes fixed cells of these sheets (run button "执行运算"):
rectangular pages 45-47 - input rows 3-16, long side in B, perimeter (m) in E, quantity in G,
results in J (thickness) and K (quota number), thickness table N3:N9, quota table M11:M22,
summary from row 20 in A (quota number), E (total), I (thickness); columns L:N hidden.
Round page 48 - input rows 3-17, diameter in B, quantity in E, results in H and I, thickness
table L3:L9, quota table K11:K22, summary from row 21 in A, D, G; columns J:L hidden.
"""

from book import Book

RULE = ("GB 50243-2002《通风与空调工程施工质量验收规范》表4.2.1 钢板风管板材厚度"
        "（该规范已由 GB 50243-2016 代替，新版板厚表不同，请按工程执行的版本核对）")
QUOTA = "《全国统一安装工程预算定额》第九册 通风空调工程 (GYD-209-2000)"

SIZE_LABELS = ["≤320", "320~450", "450~630", "630~1000", "1000~1250", "1250~2000", "2000~4000"]
THICKNESS = {
    45: [0.5, 0.6, 0.6, 0.75, 1.0, 1.0, 1.2],
    46: [0.75, 0.75, 0.75, 1.0, 1.0, 1.2, "按设计"],
    47: [1.5, 1.5, 2.0, 2.0, 2.0, "按设计", "按设计"],
    48: [0.5, 0.6, 0.75, 0.75, 1.0, 1.2, "按设计"],
}
BANDS = ["δ≤1.2 咬口", "δ≤2 焊接", "δ≤3 焊接"]
RECT_CLASSES = ["周长≤800", "周长≤2000", "周长≤4000", "周长>4000"]
ROUND_CLASSES = ["直径≤200", "直径≤500", "直径≤1120", "直径>1120"]


def quota_numbers(rectangular):
    """9-1..9-4 round, 9-5..9-8 rectangular per band of eight."""
    numbers = []
    for band in range(3):
        base = band * 8 + (5 if rectangular else 1)
        numbers += [f"9-{base + k}" for k in range(4)]
    return numbers


class Layout:
    def __init__(self, rectangular):
        self.rect = rectangular
        self.first, self.last = (3, 16) if rectangular else (3, 17)
        self.thick_col, self.quota_col = (10, 11) if rectangular else (8, 9)
        self.tab_label, self.tab_quota, self.tab_thick = (12, 13, 14) if rectangular else (10, 11, 12)
        self.sum_first = 20 if rectangular else 21
        self.sum_cols = (1, 5, 9) if rectangular else (1, 4, 7)
        self.shown = 11 if rectangular else 9


def duct_page(index, file, caption, subtitle):
    rect = index != 48
    lay = Layout(rect)
    b = Book(index, file, caption, lx=1)
    b.title_row(caption, lay.shown)
    if rect:
        heads = ["序号", "长边b\n(mm)", "短边a\n(mm)", "长度L\n(m)", "周长\n(m)", "件数n", "展开面积S\n(m2)",
                 "折合\n(10m2)", "系统/部位", "板厚δ\n(mm)", "定额编号"]
    else:
        heads = ["序号", "直径D\n(mm)", "长度L\n(m)", "件数n", "展开面积S\n(m2)", "折合\n(10m2)", "系统/部位",
                 "板厚δ\n(mm)", "定额编号"]
    b.headings(2, heads, height=32)
    for r in range(lay.first, lay.last + 1):
        b.put(r, 1, r - lay.first + 1, "label")
        if rect:
            for c in (2, 3, 4, 6):
                b.style(r, c, "input")
            b.put(r, 5, f"=(B{r}+C{r})*2/1000", "calc")
            b.put(r, 7, f"=E{r}*D{r}*MAX(1,F{r})", "calc", "0.00")
            b.put(r, 8, f"=G{r}/10", "calc", "0.000")
            b.style(r, 9, "inputt")
        else:
            for c in (2, 3, 4):
                b.style(r, c, "input")
            b.put(r, 5, f"=PI()*B{r}/1000*C{r}*MAX(1,D{r})", "calc", "0.00")
            b.put(r, 6, f"=E{r}/10", "calc", "0.000")
            b.style(r, 7, "inputt")
        b.style(r, lay.thick_col, "result")
        b.style(r, lay.quota_col, "result")
    tr = lay.last + 1
    b.put(tr, 1, "合计", "totall")
    for c in range(2, lay.shown + 1):
        b.style(tr, c, "total")
    area, tens = ("G", "H") if rect else ("E", "F")
    b.put(tr, ord(area) - 64, f"=SUM({area}{lay.first}:{area}{lay.last})", "total", "0.00")
    b.put(tr, ord(tens) - 64, f"=SUM({tens}{lay.first}:{tens}{lay.last})", "total", "0.000")
    summary_block(b, lay)
    tables(b, lay, index)
    foot = lay.sum_first + (lay.last - lay.first + 1) + 1
    b.put(foot, 1, "说明：黄色底纹为输入单元格；填好后点击下方“执行运算”，程序按风管尺寸选定板厚与定额编号，"
                   "并按板厚、定额编号汇总展开面积。勾选“显示“板材厚度表与定额编号表””可查看和修改两表。",
          "note")
    b.merge(foot, 1, foot, lay.shown)
    b.notes(foot + 1, [
        "板厚依据：" + RULE + "（" + subtitle + "）；表中“按设计”者板厚取 0，不选定额、不计入汇总；尺寸超过 4000mm 者显示“超出范围”。",
        "工程量：" + ("矩形风管 S=2(A+B)·L" if rect else "圆形风管 S=π·D·L") +
        "，按展开面积计算，检查孔、测定孔、送风口、吸风口等所占面积不扣除；长度按中心线长度，包括管件，不包括部件。",
        "定额编号参考" + QUOTA + "（镀锌薄钢板 δ≤1.2 咬口、薄钢板 δ≤2 与 δ≤3 焊接，"
        + ("按周长" if rect else "按直径") + "分档），未能核对定额原文，为可修改的参考值；板厚大于 3mm 者按 δ≤3 档选取。",
    ], lay.shown)
    widths = ([8, 8, 8, 8, 10, 6, 10, 8, 10, 9, 9, 20, 8, 8] if rect
              else [8, 9, 9, 10, 10, 9, 12, 9, 10, 20, 8, 8])
    for c, w in enumerate(widths, start=1):
        b.width(c, w)
    b.hidden = list(range(lay.shown + 1, lay.tab_thick + 1))
    return b


def summary_block(b, lay):
    head = lay.sum_first - 1
    b.put(head - 1, 1, "汇总：按板厚与定额编号分类合计（点击“执行运算”生成）", "labell")
    b.merge(head - 1, 1, head - 1, lay.shown)
    q, t, th = lay.sum_cols
    b.put(head, q, "定额编号", "head")
    b.put(head, t, "面积合计\n(m2)", "head")
    b.put(head, th, "板厚δ\n(mm)", "head")
    for r in range(lay.sum_first, lay.sum_first + (lay.last - lay.first + 1)):
        for c in lay.sum_cols:
            b.style(r, c, "result")


def tables(b, lay, index):
    label, quota, thick = lay.tab_label, lay.tab_quota, lay.tab_thick
    b.put(2, label, ("长边b" if lay.rect else "直径D") + "范围(mm)", "head")
    b.put(2, thick, "板厚(mm)", "head")
    for i, (size, value) in enumerate(zip(SIZE_LABELS, THICKNESS[index])):
        b.put(3 + i, label, size, "table")
        # Green and open like the quota numbers: a project built to a later edition of the
        # rule enters its own thicknesses here, and the selection follows them.
        b.put(3 + i, thick, value, "reft")
    b.put(10, label, "板厚/" + ("周长" if lay.rect else "直径"), "head")
    b.put(10, quota, "定额编号", "head")
    classes = RECT_CLASSES if lay.rect else ROUND_CLASSES
    numbers = quota_numbers(lay.rect)
    for band in range(3):
        for k in range(4):
            r = 11 + band * 4 + k
            b.put(r, label, f"{BANDS[band]} {classes[k]}", "table")
            b.put(r, quota, numbers[band * 4 + k], "reft")


def page45():
    return duct_page(45, "p45_rect_duct_low_medium.json", "矩形风管板厚、定额选择(中低压)", "矩形风管 中、低压系统")


def page46():
    return duct_page(46, "p46_rect_duct_high.json", "矩形风管板厚、定额选择(高压)", "矩形风管 高压系统")


def page47():
    return duct_page(47, "p47_rect_duct_dust.json", "矩形风管板厚、定额选择(除尘风管)", "除尘系统风管")


def page48():
    return duct_page(48, "p48_round_duct.json", "圆形风管板厚、定额选择", "圆形风管")


PAGES = [page45, page46, page47, page48]
