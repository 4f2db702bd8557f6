"""Pipe price conversion (49), water-meter pits (50), direct-buried trench quantities (51)."""

from book import Book
from pages_ledger import frame_total, sum_cell

# GB/T 3091-2015 welded pipe: DN, inch, (series, OD, wall, OD seen, wall seen).
WELDED = [
    (15, "1/2", [("普通", 21.3, 2.8, 1, 1), ("加厚", 21.3, 3.5, 1, 0)]),
    (20, "3/4", [("普通", 26.9, 2.8, 1, 0), ("加厚", 26.9, 3.5, 1, 0)]),
    (25, "1", [("普通", 33.7, 3.2, 1, 0), ("加厚", 33.7, 4.0, 1, 0)]),
    (32, "1-1/4", [("普通", 42.4, 3.5, 1, 0), ("加厚", 42.4, 4.0, 1, 0)]),
    (40, "1-1/2", [("普通", 48.3, 3.5, 1, 0), ("加厚", 48.3, 4.5, 1, 0)]),
    (50, "2", [("普通", 60.3, 3.8, 1, 1), ("加厚", 60.3, 4.5, 1, 1)]),
    (65, "2-1/2", [("普通", 76.1, 4.0, 0, 0), ("加厚", 76.1, 4.5, 0, 0)]),
    (80, "3", [("普通", 88.9, 4.0, 0, 0), ("加厚", 88.9, 5.0, 0, 0)]),
    (100, "4", [("普通", 114.3, 4.0, 0, 0), ("加厚", 114.3, 5.0, 0, 0)]),
    (125, "5", [("普通", 139.7, 4.0, 0, 0), ("加厚", 139.7, 5.5, 0, 0)]),
    (150, "6", [("普通", 168.3, 4.5, 0, 0), ("加厚", 168.3, 6.0, 0, 0)]),
]
# Galvanising weight factor c by wall (GB/T 3091): 2.0-4.5 mm seen, thicker walls remembered.
GALV_C = {2.8: (1.045, 1), 3.2: (1.040, 1), 3.5: (1.036, 1), 3.8: (1.034, 1), 4.0: (1.032, 1),
          4.5: (1.028, 1), 5.0: (1.025, 0), 5.5: (1.023, 0), 6.0: (1.021, 0)}


def page49():
    b = Book(49, "p49_pipe_price.json", "焊接、镀锌钢管价格换算表", landscape=True)
    last = 12
    b.title_row("焊接、镀锌钢管价格换算表", last,
                subtitle="吨价换算为米价：元/m = 元/t × 理论重量 ÷ 1000；米价换算为吨价：元/t = 元/m × 1000 ÷ 理论重量。")
    b.headings(3, ["公称直径\nDN", "英制\n(in)", "系列", "外径D\n(mm)", "壁厚t\n(mm)", "焊接钢管\n(kg/m)",
                   "镀锌系数\nc", "镀锌钢管\n(kg/m)", "焊接钢管\n吨价(元/t)", "焊接钢管\n米价(元/m)",
                   "镀锌钢管\n吨价(元/t)", "镀锌钢管\n米价(元/m)"], height=32)
    r = 4
    first = r
    for dn, inch, series in WELDED:
        for name, od, wall, od_seen, wall_seen in series:
            b.put(r, 1, f"DN{dn}", "label")
            b.put(r, 2, inch, "label")
            b.put(r, 3, name, "label")
            b.put(r, 4, od, "value" if od_seen else "ref")
            b.put(r, 5, wall, "value" if wall_seen else "ref", "0.0")
            b.put(r, 6, f"=3.1416*7.85*(D{r}-E{r})*E{r}/1000", "calc", "0.00")
            c, c_seen = GALV_C[wall]
            b.put(r, 7, c, "value" if c_seen else "ref", "0.000")
            b.put(r, 8, f"=F{r}*G{r}", "calc", "0.00")
            b.style(r, 9, "input")
            b.put(r, 10, f"=I{r}*F{r}/1000", "calc", "0.00")
            b.style(r, 11, "input")
            b.put(r, 12, f"=K{r}*H{r}/1000", "calc", "0.00")
            r += 1
    end = r - 1
    top = r + 1
    b.put(top, 1, "米价反算吨价", "labell")
    b.merge(top, 1, top, last)
    b.headings(top + 1, ["公称直径\nDN", "英制\n(in)", "系列", "外径D\n(mm)", "壁厚t\n(mm)", "焊接钢管\n(kg/m)",
                         "镀锌系数\nc", "镀锌钢管\n(kg/m)", "焊接钢管\n米价(元/m)", "焊接钢管\n吨价(元/t)",
                         "镀锌钢管\n米价(元/m)", "镀锌钢管\n吨价(元/t)"], height=32)
    r = top + 2
    for src in range(first, end + 1):
        for c, col in enumerate("ABCDEFGH", start=1):
            fmt = {"E": "0.0", "F": "0.00", "G": "0.000", "H": "0.00"}.get(col, "General")
            b.put(r, c, f"={col}{src}", "calc" if c > 3 else "label", fmt)
        b.style(r, 9, "input")
        b.put(r, 10, f"=IF(F{r}=0,0,I{r}*1000/F{r})", "calc", "0.00")
        b.style(r, 11, "input")
        b.put(r, 12, f"=IF(H{r}=0,0,K{r}*1000/H{r})", "calc", "0.00")
        r += 1
    b.legend(r + 1, last)
    b.notes(r + 2, [
        "理论重量按 GB/T 3091-2015《低压流体输送用焊接钢管》：W=π·ρ·(D-t)t/1000（kg/m，π 取 3.1416，钢的密度 ρ=7.85，即 0.02466(D-t)t），与“焊接钢管”页规格表一致；镀锌钢管 W′=c·W。",
        "外径、壁厚按 GB/T 3091-2015；DN15~DN50 外径、DN15 与 DN50 壁厚及壁厚 2.0~4.5mm 的镀锌系数 c 已核对，其余为参考值。",
    ], last)
    for c, w in zip(range(1, 13), (9, 7, 6, 8, 7, 9, 8, 9, 11, 11, 11, 11)):
        b.width(c, w)
    return b


def page50():
    b = Book(50, "p50_water_meter_pit.json", "水表井砖砌体及抹灰等", landscape=True)
    last = 12
    b.title_row("水表井砖砌体、混凝土垫层、抹灰及挖土方计算表", last,
                subtitle="按水表井净空尺寸、井壁高度与墙厚计算各项工程量（尺寸按所选标准图或设计图填写）。")
    b.put(3, 1, "计算参数", "head")
    params = [(2, "垫层h(m)", 0.1), (4, "外伸e(m)", 0.1), (6, "工作面c(m)", 0.3)]
    for col, label, value in params:
        b.put(3, col, label, "label")
        b.put(3, col + 1, value, "ref")
    b.headings(5, ["编号", "井内净长\nL(m)", "井内净宽\nB(m)", "井壁高\nH(m)", "墙厚\nt(m)", "挖土深度\nHd(m)",
                   "数量\nN(座)", "砖砌体\n(m3)", "混凝土垫层\n(m3)", "内壁抹灰\n(m2)", "外壁抹灰\n(m2)",
                   "挖土方\n(m3)"], height=32)
    first, rows = 6, 12
    for i in range(rows):
        r = first + i
        b.style(r, 1, "inputt")
        for c in (2, 3, 4, 6, 7):
            b.style(r, c, "input")
        b.put(r, 5, 0.24, "ref")
        b.put(r, 8, f"=2*(B{r}+C{r}+2*E{r})*E{r}*D{r}*G{r}", "calc", "0.000")
        b.put(r, 9, f"=(B{r}+2*E{r}+2*$E$3)*(C{r}+2*E{r}+2*$E$3)*$C$3*G{r}", "calc", "0.000")
        b.put(r, 10, f"=2*(B{r}+C{r})*D{r}*G{r}", "calc", "0.00")
        b.put(r, 11, f"=2*(B{r}+C{r}+4*E{r})*D{r}*G{r}", "calc", "0.00")
        b.put(r, 12, f"=(B{r}+2*E{r}+2*$G$3)*(C{r}+2*E{r}+2*$G$3)*F{r}*G{r}", "calc", "0.000")
    tr = first + rows
    frame_total(b, tr, "合计", 7, last)
    sum_cell(b, tr, 7, first, "0")
    for c in range(8, 13):
        sum_cell(b, tr, c, first, "0.000" if c in (8, 9, 12) else "0.00")
    b.legend(tr + 2, last)
    b.notes(tr + 3, [
        "砖砌体 V=2(L+B+2t)·t·H（按墙中心线周长，门洞、管洞按设计扣除）；垫层 V=(L+2t+2e)(B+2t+2e)·h；"
        "内壁抹灰 A=2(L+B)·H；外壁抹灰 A=2(L+B+4t)·H；挖土方 V=(L+2t+2c)(B+2t+2c)·Hd（不放坡）。",
        "参数：h 混凝土垫层厚度，e 垫层每边伸出井壁外皮宽度，c 挖土工作面每边宽度。以上为按几何尺寸推导的计算式。墙厚 240mm、垫层厚 100mm、外伸 100mm、工作面 300mm 为参考值，"
        "应按所选标准图集（如 05S502）与设计修改；需放坡时另计放坡土方。",
    ], last)
    for c, w in zip(range(1, 13), (8, 9, 9, 8, 7, 9, 7, 9, 10, 9, 9, 9)):
        b.width(c, w)
    return b


# DN, working pipe, jacket OD (mm) - typical pairings, remembered (low confidence).
BURIED = [(25, "32×3.0", 90), (32, "38×3.0", 110), (40, "45×3.0", 110), (50, "57×3.5", 125),
          (65, "76×4.0", 140), (80, "89×4.0", 160), (100, "108×4.0", 200), (125, "133×4.0", 225),
          (150, "159×4.5", 250), (200, "219×6.0", 315), (250, "273×6.0", 365), (300, "325×7.0", 420),
          (350, "377×7.0", 500), (400, "426×7.0", 550), (450, "478×7.0", 600), (500, "529×8.0", 655)]
SLOPES = [("Ⅰ、Ⅱ类土", 1.20, "1:0.5", "1:0.33", "1:0.75"), ("Ⅲ类土", 1.50, "1:0.33", "1:0.25", "1:0.67"),
          ("Ⅳ类土", 2.00, "1:0.25", "1:0.10", "1:0.33")]


def page51():
    b = Book(51, "p51_buried_trench.json", "直埋热水管道挖管沟土方、回填砂、土速算表", landscape=True)
    last = 14
    b.title_row("直埋热水管道挖管沟土方、回填砂、土速算表", last,
                subtitle="预制直埋保温管同沟敷设：按外护管外径求每米沟槽挖方、回填砂、回填土，再乘管沟长度。")
    b.put(3, 1, "计算参数", "head")
    params = [(2, "根数n", 2, "input"), (4, "覆土h(m)", 0.8, "ref"), (6, "垫层(m)", 0.1, "input"),
              (8, "覆砂(m)", 0.1, "input"), (10, "放坡k", 0, "input")]
    for col, label, value, kind in params:
        b.put(3, col, label, "label")
        b.put(3, col + 1, value, kind)
    n, h, tb, tc, k = "$C$3", "$E$3", "$G$3", "$I$3", "$K$3"
    b.headings(5, ["公称直径\nDN", "工作钢管\n(mm)", "外护管外径\nDc(mm)", "管间净距\ns(mm)", "管外壁至沟壁\na(mm)",
                   "沟底宽\nB(m)", "沟深\nH(m)", "挖方\n(m3/m)", "回填砂\n(m3/m)", "回填土\n(m3/m)",
                   "管沟长度\nL(m)", "挖方合计\n(m3)", "回填砂合计\n(m3)", "回填土合计\n(m3)"], height=32)
    first = 6
    for i, (dn, pipe, jacket) in enumerate(BURIED):
        r = first + i
        b.put(r, 1, f"DN{dn}", "label")
        b.put(r, 2, pipe, "reft")
        b.put(r, 3, jacket, "ref")
        b.put(r, 4, 150 if dn <= 125 else 200 if dn <= 300 else 250, "ref")
        b.put(r, 5, 150 if dn <= 300 else 200, "ref")
        b.put(r, 6, f"=({n}*C{r}+({n}-1)*D{r}+2*E{r})/1000", "calc", "0.000")
        b.put(r, 7, f"={h}+C{r}/1000+{tb}", "calc", "0.000")
        b.put(r, 8, f"=(F{r}+{k}*G{r})*G{r}", "calc", "0.000")
        pipes = f"{n}*PI()*(C{r}/1000)^2/4"
        zone = f"({tb}+C{r}/1000+{tc})"
        b.put(r, 9, f"=(F{r}+{k}*{zone})*{zone}-{pipes}", "calc", "0.000")
        b.put(r, 10, f"=H{r}-I{r}-{pipes}", "calc", "0.000")
        b.style(r, 11, "input")
        b.put(r, 12, f"=H{r}*K{r}", "calc", "0.00")
        b.put(r, 13, f"=I{r}*K{r}", "calc", "0.00")
        b.put(r, 14, f"=J{r}*K{r}", "calc", "0.00")
    tr = first + len(BURIED)
    frame_total(b, tr, "合计", 11, last)
    for c in range(11, 15):
        sum_cell(b, tr, c, first, "0.00")
    row = tr + 2
    b.put(row, 1, "放坡系数参考表", "labell")
    b.merge(row, 1, row, 5)
    b.headings(row + 1, ["土壤类别", "放坡起点\n深度(m)", "人工挖土", "机械坑内作业", "机械坑上作业"])
    for i, data in enumerate(SLOPES):
        for c, v in enumerate(data, start=1):
            b.put(row + 2 + i, c, v, "label")
    row += 2 + len(SLOPES)
    b.legend(row + 1, last)
    b.notes(row + 2, [
        "参数：n 同沟管道根数，h 管顶覆土深度，垫层/覆砂为管下砂垫层与管上砂覆盖厚度，k 放坡系数。沟底宽 B=n·Dc+(n-1)·s+2a；沟深 H=h+Dc+砂垫层；挖方 V=(B+k·H)·H；回填砂 V=(B+k·hs)·hs-n·πDc^2/4，"
        "hs=砂垫层+Dc+砂覆盖；回填土 = 挖方 - 回填砂 - n·πDc^2/4（几何推导，每米沟长）。",
        "保温管四周铺细砂约 100mm（直埋保温管安装要求）；放坡系数见上表，沟深未超过放坡起点深度时取 0。",
        "外护管外径、管间净距、管壁至沟壁距离及覆土深度为参考值，应按产品规格与 CJJ/T 81-2013《城镇供热直埋热水管道技术规程》"
        "及设计修改；接头处工作坑另计。",
    ], last)
    for c, w in zip(range(1, 15), (10, 9, 9, 8, 10, 8, 8, 8, 8, 8, 9, 9, 10, 10)):
        b.width(c, w)
    return b


PAGES = [page49, page50, page51]
