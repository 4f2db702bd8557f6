"""Insulation workbooks: 7 (free pipe rows), 10 (water tanks), 43 (round ducts), 44 (rectangular ducts).

Rules: 全国统一安装工程预算工程量计算规则 (GYDGZ-201-2000) 第十一册 刷油、防腐蚀、绝热工程:
V = π(D+1.033δ)·1.033δ·L, S = π(D+2.1δ+0.0082)·L, valves/flanges/elbows as in formulas.md.
"""

from book import Book

RULE_BOOK = "《全国统一安装工程预算工程量计算规则》(GYDGZ-201-2000) 第十一册 刷油、防腐蚀、绝热工程"

# Parameter cells shared by the insulation pages (rows 3 to 5): the quota's coefficients, cited.
K_VOL = "$D$3"   # 1.033
K_AREA = "$D$4"  # 2.1
K_ADD = "$D$5"   # 0.0082
COEFFICIENTS = [("绝热层厚度调整系数", 1.033), ("保护层厚度调整系数", 2.1), ("捆扎线+防潮层厚度(m)", 0.0082)]
FIRST_HEAD_ROW = 7


def coefficient_row(b):
    for i, (label, value) in enumerate(COEFFICIENTS):
        b.put(3 + i, 1, label, "labell")
        b.style(3 + i, 2, "labell")
        b.style(3 + i, 3, "labell")
        b.merge(3 + i, 1, 3 + i, 3)
        b.put(3 + i, 4, value, "value")


def rule_notes(extra):
    return [
        "依据：" + RULE_BOOK + "。",
        "绝热层体积 V=π(D+1.033δ)·1.033δ·L；保护层（防潮层）面积 S=π(D+2.1δ+0.0082)·L；"
        "1.033、2.1 为允许超厚系数，0.0082 为捆扎线(0.0032)与防潮层(0.005)厚度之和。",
    ] + extra


def page07():
    b = Book(7, "p07_insulation_free.json", "保温自由计算表")
    last = 11
    b.title_row("保温自由计算表", last,
                subtitle="按行填写管道外径、绝热层厚度、长度及阀门、法兰、弯头个数，求绝热层体积、保护层面积和刷油面积。")
    coefficient_row(b)
    b.put(3, 6, "弯头系数B（90°弯头为4，45°弯头为8）", "labell")
    for c in range(7, 10):
        b.style(3, c, "labell")
    b.merge(3, 6, 3, 9)
    b.put(3, 10, 4, "input")
    heads = ["序号", "名称/部位", "管外径D\n(mm)", "绝热层厚δ\n(mm)", "管道长度L\n(m)", "阀门\n(个)",
             "法兰\n(副)", "弯头\n(个)", "绝热层体积V\n(m3)", "保护层面积S\n(m2)", "刷油面积\n(m2)"]
    b.headings(FIRST_HEAD_ROW, heads)
    first, rows = FIRST_HEAD_ROW + 1, 20
    for i in range(rows):
        r = first + i
        b.put(r, 1, i + 1, "label")
        b.style(r, 2, "inputt")
        for c in range(3, 9):
            b.style(r, c, "input")
        d, t = f"C{r}/1000", f"D{r}/1000"
        fittings_v = f"2.5*{d}*1.05*F{r}+1.5*{d}*1.05*G{r}+IF($J$3=0,0,1.5*{d}*2*PI()*H{r}/$J$3)"
        b.put(r, 9, f"=PI()*({d}+{K_VOL}*{t})*{K_VOL}*{t}*(E{r}+{fittings_v})", "calc", "0.000")
        b.put(r, 10, f"=PI()*({d}+{K_AREA}*{t}+{K_ADD})*E{r}+PI()*({d}+{K_AREA}*{t})*({fittings_v})",
              "calc", "0.00")
        b.put(r, 11, f"=PI()*{d}*E{r}", "calc", "0.00")
    tr = first + rows
    b.put(tr, 1, "合计", "totall")
    b.merge(tr, 1, tr, 2)
    b.style(tr, 2, "totall")
    for c in range(3, 9):
        b.style(tr, c, "total")
    b.put(tr, 5, f"=SUM(E{first}:E{tr - 1})", "total", "0.00")
    for c, fmt in ((9, "0.000"), (10, "0.00"), (11, "0.00")):
        col = "IJK"[c - 9]
        b.put(tr, c, f"=SUM({col}{first}:{col}{tr - 1})", "total", fmt)
    b.legend(tr + 2, last, with_ref=False)
    b.notes(tr + 3, rule_notes([
        "阀门 V=π(D+1.033δ)·2.5D·1.033δ·1.05·N，S=π(D+2.1δ)·2.5D·1.05·N；法兰同式以 1.5D 代 2.5D；"
        "弯头 V=π(D+1.033δ)·1.5D·2π·1.033δ·N/B，S=π(D+2.1δ)·1.5D·2π·N/B。",
        "刷油面积 S=π·D·L，管件、阀门等已包括在管道长度内，不另计算。计算时 D、δ 均换算为米。",
    ]), last)
    for c, w in zip(range(1, 12), (5, 12, 9, 10, 9, 6, 6, 6, 11, 11, 9)):
        b.width(c, w)
    return b


def page10():
    b = Book(10, "p10_water_tank.json", "水箱绝热、保温层")
    last = 9
    b.title_row("水箱绝热、保温层工程量计算表", last,
                subtitle="按水箱外形尺寸和绝热层厚度计算绝热层体积及保护层（防潮层）面积。")
    coefficient_row(b)
    # Rectangular tanks.
    top1 = FIRST_HEAD_ROW
    b.put(top1, 1, "一、矩形水箱（六面保温）", "labell")
    b.merge(top1, 1, top1, last)
    for c in range(2, last + 1):
        b.style(top1, c, "labell")
    b.headings(top1 + 1, ["序号", "名称", "长A\n(m)", "宽B\n(m)", "高H\n(m)", "绝热层厚δ\n(mm)", "台数N",
                   "绝热层体积V\n(m3)", "保护层面积S\n(m2)"])
    first, rows = top1 + 2, 8
    for i in range(rows):
        r = first + i
        b.put(r, 1, i + 1, "label")
        b.style(r, 2, "inputt")
        for c in range(3, 8):
            b.style(r, c, "input")
        t = f"{K_VOL}*F{r}/1000"
        tp = f"({K_AREA}/2*F{r}/1000+{K_ADD}/2)"
        b.put(r, 8, f"=((C{r}+2*{t})*(D{r}+2*{t})*(E{r}+2*{t})-C{r}*D{r}*E{r})*G{r}", "calc", "0.000")
        b.put(r, 9, f"=2*((C{r}+2*{tp})*(D{r}+2*{tp})+(D{r}+2*{tp})*(E{r}+2*{tp})"
                    f"+(C{r}+2*{tp})*(E{r}+2*{tp}))*G{r}", "calc", "0.00")
    tr1 = first + rows
    total_row(b, tr1, first, last, {8: "0.000", 9: "0.00"})
    # Round tanks.
    top = tr1 + 2
    b.put(top, 1, "二、圆形水箱（筒身及平端面）", "labell")
    b.merge(top, 1, top, last)
    for c in range(2, last + 1):
        b.style(top, c, "labell")
    b.headings(top + 1, ["序号", "名称", "直径D\n(m)", "筒身高H\n(m)", "绝热层厚δ\n(mm)",
                         "保温端面数\n(0~2)", "台数N", "绝热层体积V\n(m3)", "保护层面积S\n(m2)"])
    first2, rows2 = top + 2, 6
    for i in range(rows2):
        r = first2 + i
        b.put(r, 1, i + 1, "label")
        b.style(r, 2, "inputt")
        for c in range(3, 8):
            b.style(r, c, "input")
        b.put(r, 6, 2, "input")
        t = f"{K_VOL}*E{r}/1000"
        tp = f"({K_AREA}/2*E{r}/1000+{K_ADD}/2)"
        b.put(r, 8, f"=(PI()*(C{r}+{t})*{t}*D{r}+PI()/4*(C{r}+2*{t})^2*{t}*F{r})*G{r}", "calc", "0.000")
        b.put(r, 9, f"=(PI()*(C{r}+{K_AREA}*E{r}/1000+{K_ADD})*D{r}+PI()/4*(C{r}+2*{tp})^2*F{r})*G{r}",
              "calc", "0.00")
    tr2 = first2 + rows2
    total_row(b, tr2, first2, last, {8: "0.000", 9: "0.00"})
    b.put(tr2 + 2, 1, "总计", "totall")
    b.merge(tr2 + 2, 1, tr2 + 2, 7)
    for c in range(2, 8):
        b.style(tr2 + 2, c, "totall")
    b.put(tr2 + 2, 8, f"=H{tr1}+H{tr2}", "total", "0.000")
    b.put(tr2 + 2, 9, f"=I{tr1}+I{tr2}", "total", "0.00")
    b.legend(tr2 + 4, last, with_ref=False)
    b.notes(tr2 + 5, rule_notes([
        "矩形水箱按外形各边加厚计算：V=(A+2t)(B+2t)(H+2t)-A·B·H，t=1.033δ；"
        "S=2[(A+2t′)(B+2t′)+(B+2t′)(H+2t′)+(A+2t′)(H+2t′)]，t′=1.05δ+0.0041（几何推导，底面不保温时应按设计扣除）。",
        "圆形水箱筒身按管道公式（L 取筒身高），平端面按 π/4·(D+2t)^2·t 与 π/4·(D+2t′)^2 计算（几何推导）。",
    ]), last)
    for c, w in zip(range(1, 10), (6, 12, 9, 9, 10, 10, 8, 12, 12)):
        b.width(c, w)
    return b


def total_row(b, row, first, last, formats, label_cols=2):
    b.put(row, 1, "小计", "totall")
    if label_cols > 1:
        b.merge(row, 1, row, label_cols)
    for c in range(2, last + 1):
        b.style(row, c, "total" if c > label_cols else "totall")
    for c, fmt in formats.items():
        col = chr(64 + c)
        b.put(row, c, f"=SUM({col}{first}:{col}{row - 1})", "total", fmt)


def duct_insulation_page(index, file, caption, round_duct):
    b = Book(index, file, caption)
    if round_duct:
        heads = ["序号", "风管外径D\n(mm)", "绝热层厚δ\n(mm)", "风管长度L\n(m)",
                 "绝热层体积V\n(m3)", "保护层面积S\n(m2)", "系统/部位"]
    else:
        heads = ["序号", "风管长边A\n(mm)", "风管短边B\n(mm)", "绝热层厚δ\n(mm)", "风管长度L\n(m)",
                 "绝热层体积V\n(m3)", "保护层面积S\n(m2)", "系统/部位"]
    last = len(heads)
    b.title_row(caption + "工程量计算表", last,
                subtitle="按风管外形尺寸、绝热层厚度和长度计算绝热层体积与保护层（防潮层）面积。")
    coefficient_row(b)
    b.headings(FIRST_HEAD_ROW, heads)
    first, rows = FIRST_HEAD_ROW + 1, 20
    vcol = last - 2
    for i in range(rows):
        r = first + i
        b.put(r, 1, i + 1, "label")
        for c in range(2, vcol):
            b.style(r, c, "input")
        b.style(r, last, "inputt")
        if round_duct:
            d, t = f"B{r}/1000", f"C{r}/1000"
            b.put(r, vcol, f"=PI()*({d}+{K_VOL}*{t})*{K_VOL}*{t}*D{r}", "calc", "0.000")
            b.put(r, vcol + 1, f"=PI()*({d}+{K_AREA}*{t}+{K_ADD})*D{r}", "calc", "0.00")
        else:
            a, bb, t = f"B{r}/1000", f"C{r}/1000", f"{K_VOL}*D{r}/1000"
            b.put(r, vcol, f"=2*{t}*({a}+{bb}+2*{t})*E{r}", "calc", "0.000")
            b.put(r, vcol + 1, f"=(2*({a}+{bb})+8*({K_AREA}/2*D{r}/1000+{K_ADD}/2))*E{r}", "calc", "0.00")
    tr = first + rows
    total_row(b, tr, first, last, {vcol - 1: "0.00", vcol: "0.000", vcol + 1: "0.00"}, label_cols=1)
    b.put(tr, 1, "合计", "totall")
    b.legend(tr + 2, last, with_ref=False)
    if round_duct:
        extra = ["圆形风管按管道（圆柱面）公式计算，D 取风管外径；防潮层与保护层面积相同。"]
    else:
        extra = ["矩形风管：V=2·(1.033δ)·(A+B+2×1.033δ)·L，S=[2(A+B)+8(1.05δ+0.0041)]·L，"
                 "系由上列管道计算规则的厚度系数推导，使用前请与所执行的定额计算规则核对。"]
    b.notes(tr + 3, rule_notes(extra), last)
    widths = (6, 12, 12, 12, 12, 13, 13, 16) if not round_duct else (6, 13, 13, 13, 14, 14, 18)
    for c, w in enumerate(widths, start=1):
        b.width(c, w)
    return b


def page43():
    return duct_insulation_page(43, "p43_round_duct_insulation.json", "圆形风管绝热保温层", True)


def page44():
    return duct_insulation_page(44, "p44_rect_duct_insulation.json", "矩形风管绝热保温层", False)


PAGES = [page07, page10, page43, page44]
