"""Outer surface area of cast-iron pipe per 10 m: 8 (water supply), 9 (drainage).

S = π·D·L (painting rule: sockets, fittings and valves are included in the pipe length).
"""

from book import Book

# Ductile-iron water pipe, GB/T 13295: DN -> outside diameter (mm). Seen (SOURCES S1).
DUCTILE_OD = [(40, 56), (50, 66), (60, 77), (65, 82), (80, 98), (100, 118), (125, 144), (150, 170),
              (200, 222), (250, 274), (300, 326), (350, 378), (400, 429), (450, 480), (500, 532),
              (600, 635), (700, 738), (800, 842), (900, 945), (1000, 1048), (1100, 1152),
              (1200, 1255), (1400, 1462), (1500, 1565), (1600, 1668), (1800, 1875), (2000, 2082)]
# Grey-iron continuous-cast pipe, GB/T 3422: outside diameters from memory, not verified.
GREY_OD = [(75, 93.0), (100, 118.0), (150, 169.0), (200, 220.0), (250, 271.6), (300, 322.8),
           (350, 374.0), (400, 425.6), (450, 476.8), (500, 528.0), (600, 630.8), (700, 733.0),
           (800, 836.0), (900, 939.0), (1000, 1041.0), (1100, 1144.0), (1200, 1246.0)]
# Flexible-joint (W type) drainage cast iron, GB/T 12772-2016: DN, OD, nominal wall, kg per 3 m pipe.
# OD, wall and mass of DN75-300 as seen in a maker's table (SOURCES S2). That table gives DN50 an OD of
# 60, but its own 13.0 kg per 3 m fits 58 (the W-type OD of the standard, as of EN 877), not 60: every
# other row's mass gives a density of 7.17-7.21 g/cm3, 60 would give 6.98 and 58 gives 7.23.
W_TYPE = [(50, 58, 3.5, 13.0), (75, 83, 3.5, 18.9), (100, 110, 3.5, 25.2), (125, 135, 4.0, 35.4),
          (150, 160, 4.0, 42.2), (200, 210, 5.0, 69.3), (250, 274, 5.5, 99.8), (300, 326, 6.0, 129.7)]
W_TYPE_OD = [(dn, od) for dn, od, _, _ in W_TYPE]
W_TYPE_STANDARD = "GB/T 12772-2016"
# Old rigid socket drainage cast iron: OD from memory (low confidence).
RIGID_OD = [(50, 60), (75, 85), (100, 110), (125, 136), (150, 161), (200, 212)]

HEADS = ["公称直径\nDN", "外径D\n(mm)", "每10m外表面积\n(m2/10m)", "管道长度L\n(m)", "表面积\n(m2)", "备注"]


def block(b, row, caption, sizes, od_kind, remark):
    b.put(row, 1, caption, "labell")
    b.merge(row, 1, row, 6)
    for c in range(2, 7):
        b.style(row, c, "labell")
    row += 1
    first = row
    for dn, od in sizes:
        pipe_row(b, row, dn, od, od_kind, remark)
        row += 1
    return first, row


def pipe_row(b, r, dn, od, od_kind, remark=""):
    if dn is None:
        b.style(r, 1, "inputt")
    else:
        b.put(r, 1, f"DN{dn}", "label")
    if od is None:
        b.style(r, 2, od_kind)
    else:
        b.put(r, 2, od, od_kind)
    b.put(r, 3, f"=PI()*B{r}/1000*10", "calc", "0.000")
    b.style(r, 4, "input")
    b.put(r, 5, f"=C{r}*D{r}/10", "calc", "0.00")
    if remark:
        b.put(r, 6, remark, "labell")
    else:
        b.style(r, 6, "labell")


def surface_page(index, file, caption, blocks, notes):
    b = Book(index, file, caption)
    b.title_row(caption, 6, subtitle="每10m外表面积 S=π·D×10（m2）；填入各规格管道长度，求表面积及合计。")
    b.headings(3, HEADS)
    row = 4
    first = row
    for cap, sizes, kind, remark in blocks:
        _, row = block(b, row, cap, sizes, kind, remark)
    b.put(row, 1, "其他管材（自填外径）", "labell")
    b.merge(row, 1, row, 6)
    for c in range(2, 7):
        b.style(row, c, "labell")
    row += 1
    for _ in range(3):
        pipe_row(b, row, None, None, "input")
        row += 1
    b.put(row, 1, "合计", "totall")
    b.merge(row, 1, row, 3)
    for c in range(2, 7):
        b.style(row, c, "total" if c != 6 else "totall")
    b.put(row, 4, f"=SUM(D{first}:D{row - 1})", "total", "0.00")
    b.put(row, 5, f"=SUM(E{first}:E{row - 1})", "total", "0.00")
    b.legend(row + 2, 6)
    b.notes(row + 3, notes, 6)
    for c, w in zip(range(1, 7), (11, 10, 15, 13, 13, 22)):
        b.width(c, w)
    return b


def page08():
    return surface_page(8, "p08_supply_cast_iron_area.json", "给水铸铁管表面积", [
        ("一、球墨铸铁给水管（GB/T 13295-2019）", DUCTILE_OD, "value", ""),
        ("二、灰口铸铁给水管（连续铸铁管 GB/T 3422-2008，外径为参考值）", GREY_OD, "ref", "外径待核对"),
    ], [
        "依据：刷油、防腐蚀工程量计算规则，管道表面积 S=π·D·L；承口、管件、阀门等已包括在管道长度内，不另计算。",
        "球墨铸铁管外径按 GB/T 13295-2019《水及燃气用球墨铸铁管、管件和附件》规定的公称外径；灰口铸铁管外径未能核对标准原文，列为参考值。",
    ])


def page09():
    return surface_page(9, "p09_drain_cast_iron_area.json", "排水铸铁管表面积", [
        ("一、柔性接口排水铸铁管 W型（" + W_TYPE_STANDARD + "）", W_TYPE_OD, "value", ""),
        ("二、旧式刚性承插排水铸铁管（外径为参考值）", RIGID_OD, "ref", "外径待核对"),
    ], [
        "依据：刷油、防腐蚀工程量计算规则，管道表面积 S=π·D·L；承口、管件等已包括在管道长度内，不另计算。",
        "W型排水铸铁管外径按 " + W_TYPE_STANDARD + "《排水用柔性接口铸铁管、管件及附件》W型管；旧式承插排水铸铁管外径未能核对标准原文，列为参考值。",
    ])


PAGES = [page08, page09]
