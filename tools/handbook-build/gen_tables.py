#!/usr/bin/env python3
"""Generates the handbook's table sources (handbook/tables/*.csv) from the researched facts
in tools/handbook-build/facts/ and the size lists below.

Run from anywhere:  python3 tools/handbook-build/gen_tables.py
The CSVs it writes are committed; review a change of this script together with the diff of
its output. Weights follow the standards' formulas with steel density 7.85 g/cm3:
  bars  G = A(mm2) * 7.85 / 1000 (round bar 0.006165 d^2)
  pipes G = 3.1416 * 7.85 * t * (D - t) / 1000 (GB/T 17395's form; the pipe calculators use the same)
What was seen in a source and what was not is recorded in handbook/SOURCES.md.
"""
import csv
import math
import os
from decimal import Decimal, ROUND_HALF_UP

HERE = os.path.dirname(os.path.abspath(__file__))
FACTS = os.path.join(HERE, "facts")
OUT = os.path.join(HERE, "..", "..", "handbook", "tables")


def facts(name):
    with open(os.path.join(FACTS, name), encoding="utf-8", newline="") as f:
        return list(csv.DictReader(f))


def fixed(value, decimals):
    """Rounds half up (as the printed tables do) and keeps trailing zeros."""
    q = Decimal(1).scaleb(-decimals)
    return str(Decimal(repr(value)).quantize(q, rounding=ROUND_HALF_UP))


def sig3(value):
    """Three significant figures, the way GB/T 702 prints bar weights (0.617, 1.04, 61.7, 385)."""
    decimals = max(0, 2 - int(math.floor(math.log10(abs(value)))))
    return fixed(value, decimals)


def num(text):
    """A size as the tables print it: 10, 5.5, 63.5 (no trailing zeros)."""
    d = Decimal(str(text)).normalize()
    return format(d, "f")


def write(table, header, rows, caption=None):
    """header: list of 'name:TYPE' after the id column; rows: lists of texts."""
    path = os.path.join(OUT, table + ".csv")
    with open(path, "w", encoding="utf-8", newline="") as f:
        w = csv.writer(f, lineterminator="\n")
        w.writerow(["id:INTEGER"] + header)
        records = ([caption] if caption else []) + rows
        for i, row in enumerate(records):
            w.writerow([i] + list(row))
    return len(records)


def text_fields(*names):
    return [n + ":TEXT" for n in names]


# --- bars and plate -------------------------------------------------------------------------

def bar_sizes(kind):
    return [r["直径或边长 mm"] for r in facts("round_square_bar.csv") if r["品种"] == kind]


def circle():
    # 0.006165 d^2 is pi/4 * 7.85 / 1000 as the bar tables print it.
    rows = [[num(d), sig3(0.006165 * float(d) ** 2)] for d in bar_sizes("热轧圆钢")]
    return write("circle", text_fields("d", "G"), rows, ["直径(mm)", "重量(kg/m)"])


def sqare():
    rows = [[num(a), sig3(float(a) ** 2 * 7.85 / 1000)] for a in bar_sizes("热轧方钢")]
    return write("sqare", text_fields("a", "G"), rows, ["边长(mm)", "重量(kg/m)"])


def hexagon():
    # GB/T 705-1989 hexagon bars, weights as printed in the standard's table.
    rows = [[num(r["对边距离 s mm"]), r["理论重量 kg/m"]] for r in facts("hex_oct_bar.csv") if r["品种"] == "六角钢"]
    return write("Hexagon", text_fields("a", "G"), rows, ["对边距(mm)", "重量(kg/m)"])


def steelboard():
    # 7.85 * t kg/m2 exactly: the products have at most four decimals.
    rows = []
    for r in facts("plate_weight.csv"):
        t = Decimal(r["厚度 mm"])
        rows.append([num(t), num(t * Decimal("7.85"))])
    return write("steelboard", text_fields("d", "G"), rows, ["厚度(mm)", "重量(kg/m2)"])


def flat_series(kind):
    return [Decimal(r["尺寸 mm"]) for r in facts("bar_plate_series.csv") if r["系列"] == "GB/T 704 (热轧扁钢) " + kind]


def rectangle():
    # a = thickness (short side), b = width (long side), from the GB/T 704 series. The pairing
    # (every thickness up to half the width) is ours; GB/T 704 gives a range per width.
    rows = []
    for b in flat_series("宽度系列"):
        for a in flat_series("厚度系列"):
            if a * 2 <= b:
                rows.append([num(a), num(b), fixed(float(a * b * Decimal("7.85") / 1000), 3)])
    return write("Rectangle", ["a:TEXT", "b:TEXT", "N3:TEXT"], rows, ["a(mm)", "b(mm)", "G(kg/m)"])


# --- rolled sections (GB/T 706 and the light series) -------------------------------------------

def usable(r):
    return r.get("核实状态", "verified") in ("verified", "partly verified", "corrected")


def regular():
    rows = [[r["型号"], num(r["b mm"]), num(r["d mm"]), r["理论重量 kg/m"]] for r in facts("equal_angle.csv") if usable(r)]
    return write("Regular", text_fields("No", "b", "d", "G"), rows, ["型号", "b(mm)", "d(mm)", "G(kg/m)"])


def noregular():
    rows = [[r["型号"], num(r["B mm"]), num(r["b mm"]), num(r["d mm"]), r["理论重量 kg/m"]]
            for r in facts("unequal_angle.csv") if usable(r)]
    return write("NoRegular", text_fields("No", "B1", "b", "d", "G"), rows,
                 ["型号", "B(mm)", "b(mm)", "d(mm)", "G(kg/m)"])


def hbd_table(table, source, light=False):
    rows = []
    for r in facts(source):
        if not usable(r):
            continue
        weight = r["理论重量 kg/m"]
        if light and r["核实状态"] == "partly verified":
            # The light a-variants: area seen, weight = A * 0.785.
            weight = fixed(float(Decimal(r["截面面积 cm2"]) * Decimal("0.785")), 2)
        rows.append([r["型号"], num(r["h mm"]), num(r["b mm"]), num(r["d mm"]), weight])
    return write(table, text_fields("No", "h", "b", "d", "G"), rows, ["型号", "h(mm)", "b(mm)", "d(mm)", "G(kg/m)"])


# --- pipes -------------------------------------------------------------------------------------

# kg/m per mm2 of pipe wall: pi as 3.1416 and density 7.85, as GB/T 17395 writes the formula and as
# the pipe calculators compute (0.0246616; the 0.0246615 remembered from GB/T 3091-2015 gives the same figures to 0.01).
PIPE_FACTOR = 3.1416 * 7.85 / 1000


def pipe_kg_per_m(d, t):
    return PIPE_FACTOR * float(t) * (float(d) - float(t))


def pipe_weight(d, t, decimals=2):
    return fixed(pipe_kg_per_m(d, t), decimals)


def seamless_weight(d, t):
    """kg/m to 0.01 as the pipe tables print it, but never fewer than three significant figures:
    a small tube's 0.0354 must not read 0.04."""
    value = pipe_kg_per_m(d, t)
    return sig3(value) if value < 1 else fixed(value, 2)


def series(kind_prefix, standard_prefix):
    out = []
    for r in facts("seamless_series.csv"):
        if r["品种"].startswith(kind_prefix) and r["标准"].startswith(standard_prefix):
            out.append(Decimal(r["值 mm"]))
    return out


# Wall ranges per outside diameter, (largest OD of the band, thinnest wall, thickest wall), as
# the classic handbook tables of each standard list them. Walls come from the standard's own
# wall series; only walls inside the band's range are listed.
RANGES = {
    "NoSewType": [(38, 2.5, 8), (50, 2.5, 10), (54, 3, 11), (57, 3, 13), (63.5, 3, 14), (70, 3, 16), (76, 3, 19),
                  (102, 3.5, 24), (114, 4, 28), (133, 4, 32), (159, 4.5, 36), (194, 5, 45), (219, 6, 50),
                  (273, 7, 50), (630, 8, 75)],
    "ColdSewType": [(6, 0.25, 2), (8, 0.25, 2.5), (10, 0.25, 3.5), (14, 0.25, 4), (18, 0.25, 5), (20, 0.25, 6),
                    (28, 0.4, 7), (36, 0.4, 8), (40, 0.4, 9), (45, 1, 10), (51, 1, 12), (57, 1, 13),
                    (100, 1, 14), (150, 1.8, 14), (200, 3.5, 14)],
    "NicetyNoSew": [(6, 0.5, 2), (10, 0.5, 2.5), (16, 0.5, 4), (25, 0.5, 6), (40, 0.8, 10), (60, 1, 14),
                    (100, 1.5, 20), (150, 2.5, 25), (260, 4, 25)],
    "BoilerNoSew": [(12, 1.5, 2), (20, 1.5, 3), (25, 2, 4), (38, 2.5, 5), (51, 2.5, 6), (63.5, 3, 6),
                    (89, 3.5, 8), (114, 4, 10), (159, 4.5, 12), (194, 5, 14), (273, 6, 16), (426, 7, 16)],
    "stainlessHot": [(76, 4.5, 12), (102, 4.5, 14), (133, 4.5, 18), (168, 5, 20), (219, 6, 26), (426, 7, 28)],
    "stainlessCold": [(10, 0.5, 2), (16, 0.5, 3), (22, 0.5, 4), (30, 0.5, 5), (40, 1, 6.5), (57, 1, 8),
                      (76, 1.6, 10), (108, 2, 12), (159, 2.5, 15)],
}

SEAMLESS = [
    ("NoSewType", "热轧(挤压、扩)无缝钢管 常用外径", "热轧无缝钢管 常用壁厚", "GB/T 8162/8163 (GB/T 17395 表) 热轧"),
    ("ColdSewType", "冷拔(轧)无缝钢管 常用外径", "冷拔(轧)无缝钢管 常用壁厚", "GB/T 8162/8163 (GB/T 17395 表) 冷拔"),
    ("NicetyNoSew", "冷拔或冷轧精密无缝钢管 外径", "冷拔或冷轧精密无缝钢管 壁厚", "GB/T 3639"),
    ("BoilerNoSew", "低中压锅炉用无缝钢管 外径", "低中压锅炉用无缝钢管 壁厚", "GB 3087"),
    ("stainlessHot", "流体输送用不锈钢无缝钢管 外径", "流体输送用不锈钢无缝钢管 壁厚", "GB/T 14976 热轧"),
    ("stainlessCold", "流体输送用不锈钢无缝钢管 外径", "流体输送用不锈钢无缝钢管 壁厚", "GB/T 14976 冷拔"),
]


# The thickest wall per outside diameter that the standards' tables list: GB/T 17395 goes up to
# about a third of the diameter for small tubes (6x2.0, 10x3.5), the precision tubes of GB/T 3639
# to a quarter (4x1.0, 10x2.5). A band's wall range applied to its smallest diameters would
# otherwise give sizes no table lists, down to a 4x1.8 tube with a 0.4 mm bore.
MAX_WALL_RATIO = {"NicetyNoSew": Decimal("0.25")}
DEFAULT_MAX_WALL_RATIO = Decimal("0.35")


def wall_range(table, d):
    for largest, thin, thick in RANGES[table]:
        if d <= Decimal(str(largest)):
            return Decimal(str(thin)), Decimal(str(thick))
    raise ValueError(f"{table}: no wall range for OD {d}")


def seamless(table, od_kind, wall_kind, standard):
    rows = []
    walls = series(wall_kind, standard)
    ratio = MAX_WALL_RATIO.get(table, DEFAULT_MAX_WALL_RATIO)
    for d in series(od_kind, standard):
        thin, thick = wall_range(table, d)
        for t in walls:
            if thin <= t <= min(thick, ratio * d):
                rows.append([f"{num(d)}×{num(t)}", seamless_weight(d, t)])
    return write(table, text_fields("Size", "G"), rows, ["外径×壁厚(mm)", "重量(kg/m)"])


def seeltube():
    # GB/T 3091-2015, the edition the pipe price page uses: ordinary and thickened wall per DN. The
    # 1993 sizes (21.25 x 2.75 ...) are no longer in this grid; 速查表1 keeps their ODs, named so.
    by_dn = {}
    for r in facts("welded_steel_pipe_gbt3091.csv"):
        if r["edition"] == "GB/T 3091-2015":
            by_dn.setdefault(int(r["dn"]), []).append(r)
    rows = []
    for dn, (ordinary, thick) in sorted(by_dn.items()):
        assert ordinary["series"].startswith("normal") and thick["series"].startswith("heavy")
        assert ordinary["od_mm"] == thick["od_mm"]
        d = ordinary["od_mm"]
        rows.append([str(dn), num(d), num(ordinary["wall_mm"]), pipe_weight(d, ordinary["wall_mm"]),
                     num(thick["wall_mm"]), pipe_weight(d, thick["wall_mm"])])
    return write("SeelTube", text_fields("DN", "OD", "cd", "cG", "td", "tG"), rows,
                 ["r(mm)", "R(mm)", "cd(mm)", "cG(kg/m)", "td(mm)", "tG(kg/m)"])


def sleevetube():
    rows = [[r["公称口径 mm"], r["壁厚 mm"], r["外径 mm"], pipe_weight(r["外径 mm"], r["壁厚 mm"], 3)]
            for r in facts("conduit.csv")]
    return write("SleeveTube", text_fields("DN", "Wall", "OD", "G"), rows, ["r(mm)", "d(mm)", "R(mm)", "G(kg/m)"])


def screwtube():
    rows = [[num(r["外径 mm"]), num(r["壁厚 mm"]), pipe_weight(r["外径 mm"], r["壁厚 mm"])] for r in facts("spiral_pipe.csv")]
    return write("ScrewTube", text_fields("OD", "Wall", "G"), rows, ["R(mm)", "d(mm)", "G(kg/m)"])


def checkered():
    rows = [[r["基本厚度 mm"], r["菱形纹高 mm"], r["菱形理论重量 kg/m2"], r["扁豆形纹高 mm"], r["扁豆形理论重量 kg/m2"]]
            for r in facts("checkered_plate.csv")]
    return write("steelboard_HW", ["jbhd:TEXT", "WG_LX:TEXT", "LLZL_LX:TEXT", "WG_BDX:TEXT", "LLZL_BDX:TEXT"], rows,
                 ["基本厚度(mm)", "菱形纹高(mm)", "菱形重量(kg/m2)", "扁豆形纹高(mm)", "扁豆形重量(kg/m2)"])


def main():
    os.makedirs(OUT, exist_ok=True)
    counts = {
        "circle": circle(), "sqare": sqare(), "Hexagon": hexagon(), "steelboard": steelboard(),
        "Rectangle": rectangle(), "Regular": regular(), "NoRegular": noregular(),
        "Ishaped": hbd_table("Ishaped", "i_beam.csv"), "groove": hbd_table("groove", "channel.csv"),
        "LightIshaped": hbd_table("LightIshaped", "light_i_beam.csv", light=True),
        "Lightgroove": hbd_table("Lightgroove", "light_channel.csv", light=True),
        "SeelTube": seeltube(), "SleeveTube": sleevetube(), "ScrewTube": screwtube(), "steelboard_HW": checkered(),
    }
    for spec in SEAMLESS:
        counts[spec[0]] = seamless(*spec)
    for table, n in counts.items():
        print(f"{table}: {n} records (caption included)")


if __name__ == "__main__":
    main()
