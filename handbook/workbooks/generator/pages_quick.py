"""Quick-reference sheets: 33 (plumbing and heating pipes), 34 (ventilation ducts).

A value written as R(x) was not seen in a source: it is shown green and left editable.
"""

from book import Book


class R:
    """A reference value (unverified)."""

    def __init__(self, v):
        self.v = v


def table(b, row, caption, heads, rows, last, source):
    """Caption line, heading row, data rows; returns the next free row."""
    b.put(row, 1, caption, "labell")
    b.merge(row, 1, row, last)
    for c in range(2, last + 1):
        b.style(row, c, "labell")
    b.headings(row + 1, heads)
    r = row + 2
    for data in rows:
        for c, v in enumerate(data, start=1):
            if isinstance(v, R):
                b.put(r, c, v.v, "reft")
            elif v is None or v == "":
                b.style(r, c, "label")
            else:
                b.put(r, c, v, "label")
        # a short row still gets its frame
        for c in range(len(data) + 1, len(heads) + 1):
            b.style(r, c, "label")
        r += 1
    b.put(r, 1, "来源：" + source, "note")
    b.merge(r, 1, r, last)
    return r + 2


# DN, inch, common name, welded OD GB/T 3091-2015, old OD 1993, seamless OD, copper OD, PP-R/PE de, PVC-U drain de.
CROSSREF = [
    (15, "1/2", "4分", 21.3, R(21.25), R("18 (22)"), 15, 20, R("")),
    (20, "3/4", "6分", 26.9, R(26.75), R(25), 22, 25, R("")),
    (25, "1", "1寸", 33.7, R(33.5), R(32), 28, R(32), R(32)),
    (32, "1-1/4", "1寸2", 42.4, R(42.25), R(38), 35, R(40), R(40)),
    (40, "1-1/2", "1寸半", 48.3, R(48.0), R(45), 42, R(50), R("50 (40)")),
    (50, "2", "2寸", 60.3, R(60.0), R(57), 54, R(63), 50),
    (65, "2-1/2", "2寸半", R(76.1), R(75.5), R("76 (73)"), 67, R(75), 75),
    (80, "3", "3寸", R(88.9), R(88.5), R(89), R("76 (85)"), R(90), R("90 (75)")),
    (100, "4", "4寸", R(114.3), R(114.0), "108 (114)", 108, R(110), 110),
    (125, "5", "5寸", R(139.7), R(140.0), R("133 (140)"), 133, R(140), R(125)),
    (150, "6", "6寸", R(168.3), R(165.0), R("159 (168)"), 159, R(160), R(160)),
    (200, "8", "8寸", R(219.1), R(""), R(219), 219, R(225), R(200)),
    (250, "10", "10寸", R(273.0), R(""), R(273), 267, R(280), R(250)),
    (300, "12", "12寸", R(323.9), R(""), R(325), 325, R(315), R(315)),
]

PVC_DRAIN = [(R(32), R(2.0)), (R(40), R(2.0)), (50, 2.0), (75, 2.3), (90, 3.0), (110, 3.2),
             (R(125), R(3.2)), (R(160), R(4.0)), (R(200), R(4.9)), (R(250), R(6.2)), (R(315), R(7.8))]

# de: S5, S4, S3.2, S2.5 wall thickness (mm).
PPR = [
    (20, R(2.0), R(2.3), 2.8, 3.4), (25, R(2.3), R(2.8), 3.5, 4.2), (32, R(2.9), R(3.6), R(4.4), R(5.4)),
    (40, R(3.7), R(4.5), R(5.5), R(6.7)), (50, R(4.6), R(5.6), R(6.9), R(8.3)),
    (63, R(5.8), R(7.1), R(8.6), R(10.5)), (75, R(6.8), R(8.4), R(10.3), R(12.5)),
    (90, R(8.2), R(10.1), R(12.3), R(15.0)), (110, R(10.0), R(12.3), R(15.1), R(18.3)),
]

SCOPE = [
    ("给水", "室内与室外", "以建筑物外墙皮 1.5m 为界；入口处设阀门者以阀门为界"),
    ("给水", "室外与市政", "以水表井为界；无水表井者以与市政管道碰头点为界"),
    ("排水", "室内与室外", "以出户第一个排水检查井为界；无检查井者以外墙皮 3m 为界"),
    ("排水", "室外与市政", "以与市政管道碰头的检查井为界"),
    ("采暖", "室内与室外", "以入口阀门或建筑物外墙皮 1.5m 为界"),
    ("燃气", "室内与室外", "地下引入室内的以室内第一个阀门为界；地上引入的以墙外三通为界"),
]


def page33():
    b = Book(33, "p33_quick_ref_pipes.json", "速查表1")
    last = 9
    b.title_row("速查表1  给排水、采暖管道规格对照", last)
    row = table(b, 3, "一、公称直径与各类管材外径对照（mm）",
                ["公称直径\nDN", "英制\n(in)", "俗称", "焊接钢管外径\nGB/T 3091-2015", "焊接钢管外径\nGB/T 3091-1993",
                 "无缝钢管\n常用外径", "铜管外径\nGB/T 18033-2017", "PP-R/PE管\n外径de", "PVC-U排水管\n外径de"],
                CROSSREF, last,
                "GB/T 3091-2015 DN15~DN50 外径、英制与俗称、GB/T 18033-2017 铜管外径、PVC-U 排水管 de50/75/110 已核对；"
                "括号内为另一常用规格。")
    row = table(b, row, "二、建筑排水用 PVC-U 管（GB/T 5836.1-2018）",
                ["外径de\n(mm)", "壁厚e\n(mm)"], PVC_DRAIN, last,
                "GB/T 5836.1-2018：50×2.0、75×2.3、90×3.0、110×3.2 已核对；其余为参考值。")
    row = table(b, row, "三、冷热水用 PP-R 管壁厚（GB/T 18742.2-2017，mm）",
                ["外径de\n(mm)", "S5\n(1.25MPa)", "S4\n(1.6MPa)", "S3.2\n(2.0MPa)", "S2.5"], PPR, last,
                "管系列 S 与 SDR=2S+1；de20、de25 的 S3.2、S2.5 壁厚已核对，其余为参考值。")
    b.put(row, 1, "四、室内外管道界线划分", "labell")
    b.merge(row, 1, row, last)
    for c in range(2, last + 1):
        b.style(row, c, "labell")
    b.headings(row + 1, ["系统", "界线", "划分规定"])
    b.merge(row + 1, 3, row + 1, last)
    r = row + 2
    for system, boundary, rule in SCOPE:
        b.put(r, 1, system, "label")
        b.put(r, 2, boundary, "label")
        b.put(r, 3, rule, "labell")
        for c in range(4, last + 1):
            b.style(r, c, "labell")
        b.merge(r, 3, r, last)
        r += 1
    b.put(r, 1, "来源：安装工程预算定额给排水、采暖、燃气工程的界线划分规定。", "note")
    b.merge(r, 1, r, last)
    b.legend(r + 2, last)
    for c, w in zip(range(1, 10), (10, 10, 10, 14, 12, 12, 12, 11, 12)):
        b.width(c, w)
    return b


# GB 50243-2002 table 4.2.1: size class, round, rectangular low/medium, high pressure, dust removal.
STEEL_DUCT = [
    ("D(b)≤320", 0.5, 0.5, 0.75, 1.5),
    ("320<D(b)≤450", 0.6, 0.6, 0.75, 1.5),
    ("450<D(b)≤630", 0.75, 0.6, 0.75, 2.0),
    ("630<D(b)≤1000", 0.75, 0.75, 1.0, 2.0),
    ("1000<D(b)≤1250", 1.0, 1.0, 1.0, 2.0),
    ("1250<D(b)≤2000", 1.2, 1.0, 1.2, "按设计"),
    ("2000<D(b)≤4000", "按设计", 1.2, "按设计", "按设计"),
]
STAINLESS_DUCT = [("D(b)≤500", 0.5), ("500<D(b)≤1120", 0.75), ("1120<D(b)≤2000", 1.0), ("2000<D(b)≤4000", 1.2)]
ALUMINIUM_DUCT = [("D(b)≤320", 1.0), ("320<D(b)≤630", 1.5), ("630<D(b)≤2000", 2.0), ("2000<D(b)≤4000", "按设计")]

ROUND_BASE = [100, 120, 140, 160, 180, 200, 220, 250, 280, 320, 360, 400, 450, 500, 560, 630, 700, 800,
              900, 1000, 1120, 1250]
ROUND_BASE_MEMORY = [1400, 1600, 1800, 2000]
RECT_SIDES = [120, 160, 200, 250, 320, 400, 500, 630, 800, 1000, 1250, 1600, 2000, 2500, 3000, 3500, 4000]


def series_rows(b, row, caption, values, memory, last):
    """A size series laid out 9 to a row."""
    b.put(row, 1, caption, "labell")
    b.merge(row, 1, row, last)
    for c in range(2, last + 1):
        b.style(row, c, "labell")
    items = [(v, "label") for v in values] + [(v, "reft") for v in memory]
    r = row + 1
    for i in range(0, len(items), last):
        for j, (v, kind) in enumerate(items[i:i + last], start=1):
            b.put(r, j, v, kind)
        r += 1
    return r


def page34():
    b = Book(34, "p34_quick_ref_ducts.json", "速查表2")
    last = 9
    b.title_row("速查表2  通风空调风管规格与板材厚度", last)
    row = table(b, 3, "一、钢板风管板材厚度（GB 50243-2002 表4.2.1，mm）",
                ["风管直径D或\n长边尺寸b(mm)", "圆形风管", "矩形风管\n中、低压系统", "矩形风管\n高压系统", "除尘系统\n风管"],
                STEEL_DUCT, last,
                "GB 50243-2002《通风与空调工程施工质量验收规范》表4.2.1（该规范已由 GB 50243-2016 代替，新版板厚表按微压、低压、中压、高压分列，数值不同，未收入本表）。螺旋风管板厚可适当减小10%~15%；"
                "排烟系统风管板厚可按高压系统；特殊除尘系统风管按设计；不适用于地下人防与防火隔墙的预埋管。")
    row = table(b, row, "二、不锈钢板风管板材厚度（mm）", ["风管直径或\n长边尺寸b(mm)", "不锈钢板\n厚度"],
                STAINLESS_DUCT, last, "GB 50243-2002 不锈钢板风管板材厚度表（已由 GB 50243-2016 代替）。")
    row = table(b, row, "三、铝板风管板材厚度（mm）", ["风管直径或\n长边尺寸b(mm)", "铝板厚度"],
                ALUMINIUM_DUCT, last, "GB 50243-2002 铝板风管板材厚度表（已由 GB 50243-2016 代替）。")
    row = series_rows(b, row, "四、圆形风管规格（外径 mm，基本系列）", ROUND_BASE, ROUND_BASE_MEMORY, last)
    row = series_rows(b, row + 1, "五、矩形风管规格（外边长 mm，长边与短边均取自本系列）", RECT_SIDES, [], last)
    b.put(row, 1, "来源：风管规格系列的公开转录（所据规范的版本未注明；现行规范为 GB 50243-2016、GB 50738-2011）；圆形 1400~2000 为参考值。", "note")
    b.merge(row, 1, row, last)
    row += 2
    rules = [
        "风管制作安装按图示不同规格以展开面积计算：矩形 S=2(A+B)·L，圆形 S=π·D·L；检查孔、测定孔、送风口、吸风口等所占面积不扣除。",
        "风管长度以图示中心线长度为准，包括弯头、三通、变径管、天圆地方等管件的长度，"
        "不包括部件所占长度。",
    ]
    b.put(row, 1, "六、风管工程量计算规则", "labell")
    b.merge(row, 1, row, last)
    b.notes(row + 1, rules, last)
    b.legend(row + 4, last)
    for c, w in zip(range(1, 10), (16, 10, 12, 11, 10, 9, 9, 9, 9)):
        b.width(c, w)
    return b


PAGES = [page33, page34]
