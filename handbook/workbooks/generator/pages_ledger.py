"""Material ledgers (35, 36) and fittings-content estimating sheets (37 to 42)."""

from book import Book
from pages_castiron import W_TYPE, W_TYPE_STANDARD
from pages_quick import R

QUOTA_VOL8 = "《全国统一安装工程预算定额》第八册 给排水、采暖、燃气工程 (GYD-208-2000)"

# Loss rates (%) of the quota's appendix, remembered and not verified: reference values.
LEDGER_ITEMS = [
    ("室外钢管（丝接、焊接）", "m", 1.5), ("室内钢管（丝接）", "m", 2), ("室内钢管（焊接）", "m", 2),
    ("室内煤气用钢管（丝接）", "m", 2), ("室外排水铸铁管", "m", 3), ("室内排水铸铁管", "m", 7),
    ("室内塑料管", "m", 2), ("铸铁散热器", "片", 1), ("光排管散热器制作用钢管", "m", 3),
    ("钢管接头零件", "个", 1), ("丝扣阀门", "个", 1),
]


def frame_total(b, row, label, first_col, last):
    b.put(row, 1, label, "totall")
    for c in range(2, last + 1):
        b.style(row, c, "total")
    if first_col > 2:
        b.merge(row, 1, row, first_col - 1)
        for c in range(2, first_col):
            b.style(row, c, "totall")


def sum_cell(b, row, col, first, fmt):
    letter = chr(64 + col)
    b.put(row, col, f"=SUM({letter}{first}:{letter}{row - 1})", "total", fmt)


def page35():
    b = Book(35, "p35_material_ledger.json", "工程用料总帐分析表")
    last = 10
    b.title_row("工程用料总帐分析表", last)
    b.project_name(2, "工程名称：", 2, last)
    b.headings(3, ["序号", "材料名称", "规格型号", "单位", "工程量", "损耗率\n(%)", "含损耗用量",
                   "单价\n(元)", "合价\n(元)", "备注"])
    first, rows = 4, 30
    for i in range(rows):
        r = first + i
        b.put(r, 1, i + 1, "label")
        for c in (2, 3, 4, 10):
            b.style(r, c, "inputt")
        b.style(r, 5, "input")
        b.style(r, 6, "input")
        b.style(r, 8, "input")
        if i < len(LEDGER_ITEMS):
            name, unit, rate = LEDGER_ITEMS[i]
            b.put(r, 2, name, "inputt")
            b.put(r, 4, unit, "inputt")
            b.put(r, 6, rate, "ref")
        b.put(r, 7, f"=E{r}*(1+F{r}/100)", "calc", "0.00")
        b.put(r, 9, f"=G{r}*H{r}", "calc", "0.00")
    tr = first + rows
    frame_total(b, tr, "合计", 5, last)
    sum_cell(b, tr, 9, first, "0.00")
    b.legend(tr + 2, last)
    b.notes(tr + 3, [
        "含损耗用量 = 工程量 ×（1 + 损耗率）；合价 = 含损耗用量 × 单价。",
        "损耗率参考" + QUOTA_VOL8 + "附录“主要材料损耗率表”，未能核对定额原文，列为参考值，请按所执行定额填写。",
    ], last)
    for c, w in zip(range(1, 11), (5, 22, 12, 6, 10, 8, 11, 10, 12, 12)):
        b.width(c, w)
    return b




def page36():
    b = Book(36, "p36_cast_iron_drain_ledger.json", "铸铁排水管分析表", landscape=True)
    last = 15
    b.title_row("铸铁排水管分析表", last)
    b.project_name(2, "柔性接口排水铸铁管（W型）用量、重量与金额。工程名称：", 7, last)
    b.headings(3, ["公称直径\nDN", "外径\n(mm)", "壁厚\n(mm)", "每根重量\n(kg/3m)", "理论重量\n(kg/m)",
                   "安装长度\n(m)", "损耗率\n(%)", "管材用量\n(m)", "管材重量\n(kg)", "管材单价\n(元/m)",
                   "管材金额\n(元)", "管件\n(个)", "管件单价\n(元/个)", "管件金额\n(元)", "金额合计\n(元)"])
    first = 4
    rows = [(f"DN{dn}", od, wall, kg) for dn, od, wall, kg in W_TYPE] + [(None, None, None, None)] * 2
    for i, (dn, od, wall, kg) in enumerate(rows):
        r = first + i
        if dn is None:
            for c in range(1, 5):
                b.style(r, c, "input" if c > 1 else "inputt")
            b.put(r, 5, f"=D{r}/3", "calc", "0.00")
        else:
            b.put(r, 1, dn, "label")
            b.put(r, 2, od, "value")
            b.put(r, 3, wall, "value")
            b.put(r, 4, kg, "value")
            b.put(r, 5, f"=D{r}/3", "calc", "0.00")
        b.style(r, 6, "input")
        b.put(r, 7, 7, "ref")
        b.put(r, 8, f"=F{r}*(1+G{r}/100)", "calc", "0.00")
        b.put(r, 9, f"=H{r}*E{r}", "calc", "0.00")
        b.style(r, 10, "input")
        b.put(r, 11, f"=H{r}*J{r}", "calc", "0.00")
        b.style(r, 12, "input")
        b.style(r, 13, "input")
        b.put(r, 14, f"=L{r}*M{r}", "calc", "0.00")
        b.put(r, 15, f"=K{r}+N{r}", "calc", "0.00")
    tr = first + len(rows)
    frame_total(b, tr, "合计", 6, last)
    for c in (6, 8, 9, 11, 12, 14, 15):
        sum_cell(b, tr, c, first, "0.00" if c != 12 else "0")
    b.legend(tr + 2, last)
    b.notes(tr + 3, [
        "外径、壁厚按 " + W_TYPE_STANDARD + " W型柔性接口排水铸铁管；每根（3m）重量按产品规格；理论重量 = 每根重量 ÷ 3。",
        "损耗率 7% 参考" + QUOTA_VOL8 + "附录“室内排水铸铁管”，未能核对定额原文，列为参考值；室外排水铸铁管可改为 3%。",
        "管材用量 = 安装长度 ×（1 + 损耗率）；管材重量 = 管材用量 × 理论重量。",
    ], last)
    for c, w in zip(range(1, 16), (9, 7, 7, 9, 9, 9, 7, 9, 10, 9, 10, 7, 9, 10, 11)):
        b.width(c, w)
    return b


def content_sheet(index, file, caption, item, sizes, pipe_content, size_head, remark):
    """Pipe lengths by size give pipe and fittings quantities from the content per 10 m."""
    b = Book(index, file, caption)
    last = 7
    b.title_row(caption, last, subtitle=f"{item}：按每10m管道的定额含量，由各规格安装长度测算管材与管件用量。")
    b.put(3, 1, "执行定额：", "labell")
    b.merge(3, 1, 3, 2)
    b.style(3, 2, "labell")
    b.put(3, 3, QUOTA_VOL8, "inputt")
    b.merge(3, 3, 3, last)
    for c in range(4, last + 1):
        b.style(3, c, "inputt")
    b.headings(4, [size_head, "安装长度L\n(m)", "管材含量\n(m/10m)", "管件含量\n(个/10m)",
                   "管材用量\n(m)", "管件用量\n(个)", "备注"])
    first = 5
    for i, size in enumerate(sizes):
        r = first + i
        b.put(r, 1, size.v if isinstance(size, R) else size, "reft" if isinstance(size, R) else "label")
        b.style(r, 2, "input")
        content = pipe_content.get(size if not isinstance(size, R) else size.v)
        if content is None:
            b.style(r, 3, "ref", "0.00")
        else:
            b.put(r, 3, content, "ref", "0.00")
        b.style(r, 4, "ref", "0.00")
        b.put(r, 5, f"=B{r}/10*C{r}", "calc", "0.00")
        b.put(r, 6, f"=B{r}/10*D{r}", "calc", "0.00")
        b.style(r, 7, "inputt")
    tr = first + len(sizes)
    frame_total(b, tr, "合计", 2, last)
    sum_cell(b, tr, 2, first, "0.00")
    sum_cell(b, tr, 5, first, "0.00")
    sum_cell(b, tr, 6, first, "0.00")
    b.legend(tr + 2, last)
    b.notes(tr + 3, [
        "管材用量 = L ÷ 10 × 管材含量；管件用量 = L ÷ 10 × 管件含量（含量为定额每10m子目的消耗量，已含损耗）。",
        "含量栏为参考值：请按所执行定额相应子目（" + item + "）的材料消耗量填写；" + remark,
    ], last)
    for c, w in zip(range(1, 8), (12, 12, 12, 12, 12, 12, 18)):
        b.width(c, w)
    return b


def dn(*sizes):
    return [f"DN{s}" for s in sizes]


STEEL_SIZES = dn(15, 20, 25, 32, 40, 50, 65, 80, 100, 125, 150)
THREADED_PIPE = {s: 10.2 for s in dn(15, 20, 25, 32, 40, 50)}


def page37():
    return content_sheet(37, "p37_cast_iron_drain_fittings.json", "测算表(铸铁排水管)", "承插铸铁排水管",
                         dn(50, 75, 100, 125, 150, 200), {}, "公称直径", "管件含量未能核对定额原文，暂空。")


def page38():
    return content_sheet(38, "p38_pap_fittings.json", "测算表(铝塑复合接头)", "铝塑复合管（卡套式接头）",
                         [R(f"de{s}") for s in (16, 20, 25, 32, 40, 50)], {}, "公称外径",
                         "规格栏亦可修改。")


def page39():
    return content_sheet(39, "p39_pvc_drain_fittings.json", "测算表(塑料排水管)", "承插塑料排水管（零件粘接）",
                         [f"de{s}" for s in (50, 75, 90, 110, 125, 160)], {}, "公称外径",
                         "管件含量未能核对定额原文，暂空。")


def page40():
    return content_sheet(40, "p40_welded_steel_fittings.json", "测算表(焊接钢管接头)", "室内焊接钢管（螺纹连接）",
                         STEEL_SIZES, THREADED_PIPE, "公称直径",
                         "DN15~DN50 管材含量 10.20m/10m 为参考值。")


def page41():
    return content_sheet(41, "p41_galv_steel_fittings.json", "测算表(镀锌钢管接头)", "室内镀锌钢管（螺纹连接）",
                         STEEL_SIZES, THREADED_PIPE, "公称直径",
                         "DN15~DN50 管材含量 10.20m/10m 为参考值。")


def page42():
    return content_sheet(42, "p42_ppr_fittings.json", "测算表(聚丙烯管接头)", "PP-R 给水管（热熔连接）",
                         [f"de{s}" for s in (20, 25, 32, 40, 50, 63, 75, 90, 110)], {}, "公称外径",
                         "规格按 GB/T 18742.2-2017 公称外径。")


PAGES = [page35, page36, page37, page38, page39, page40, page41, page42]
