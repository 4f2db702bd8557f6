#!/usr/bin/env python3
"""Generates the handbook's sources of the H-beam, cut-T, cold-formed and GB/T 706 property
tables (handbook/tables/<Table>.csv) from the checked tables in tools/handbook-build/facts/sections/
(their SOURCES.md says where every number comes from and how each row was checked).

Run from anywhere:  python3 tools/handbook-build/gen_sections.py
Every value is copied as the fact table has it (printed digits kept, so every column is TEXT);
only the column names change, to the ASCII names the database needs, and the fact table's own
header becomes the caption record. The check columns (核验, 核验说明, 重量核验) are kept, and
so is every calculated column, under a name ending in "_calc" or "_rule".
"""
import csv
import os
import re

HERE = os.path.dirname(os.path.abspath(__file__))
FACTS = os.path.join(HERE, "facts", "sections")
OUT = os.path.join(HERE, "..", "..", "handbook", "tables")

# table name -> fact file
TABLES = [
    ("HBeam", "gbt11263_2024_H.csv"),
    ("HKBeam", "gbt11263_2024_HK.csv"),
    ("CutTee", "gbt11263_2024_T.csv"),
    ("HollowRect", "gbt6728_square_rect_hollow.csv"),
    ("HollowRound", "gbt6728_round_hollow.csv"),
    ("PurlinC", "gbt6723_C_purlin.csv"),
    ("PurlinZ", "gbt6723_Z_purlin.csv"),
    ("AngleProps", "gbt706_2016_equal_angle_props.csv"),
    ("UnequalAngleProps", "gbt706_2016_unequal_angle_props.csv"),
    ("IBeamProps", "gbt706_2016_i_beam_props.csv"),
    ("ChannelProps", "gbt706_2016_channel_props.csv"),
]

# Fact column -> field name, where the name is not the symbol before its unit.
NAMES = {
    "型号": "No",
    "规格": "No",
    "类别": "Kind",
    "c_卷边_mm": "c",
    "r1_mm(facts)": "r1_facts",
    "r1_mm(2016)": "r1",
    "截面面积_cm2": "A",
    "截面面积_cm2(2016)": "A",
    "截面面积_cm2(计算)": "A_calc",
    "截面面积_cm2(按相符规则)": "A_calc",
    "理论重量_kg/m": "G",
    "理论重量_kg/m(2016)": "G",
    "理论重量_kg/m(源)": "G",
    "外表面积_m2/m": "S",
    "外表面积_m2/m(计算)": "S_calc",
    "基准规格": "Base",
    "2017分类": "Class2017",
    "2017型号": "No2017",
    "2017核对": "Check2017",
    "第三来源核对": "ThirdSource",
    "核验": "Check",
    "重量核验": "Check",
    "核验说明": "CheckNote",
    "核对facts": "CheckFacts",
    "重心Cx_cm": "Cx",
    "对应H型钢系列": "ParentSeries",
    "母材H型钢(按尺寸)": "ParentH",
    "外圆角R_mm(规则)": "R_rule",
    "内圆角r_mm(规则)": "r_inner_rule",
    "按规则计算重量_kg/m": "G_calc",
    "备注": "Note",
    "0.02466(D-t)t": "G_calc",
    "中心线长_mm(直角)": "Centreline_calc",
    "面积_cm2(中心线×t,直角)": "A_centreline_calc",
    "重量_kg/m(中心线×t×0.785)": "G_centreline_calc",
    "中心线法偏差_%": "CentrelineDiffPct_calc",
    "等效k=(t(h+2b+2c)-A)/t²": "k_calc",
    "S_perimeter_m2m": "S_perimeter_calc",
    "S_closed_form_m2m": "S_closed_form_calc",
    "S_reldiff_%": "S_reldiff_pct_calc",
}


def field_name(column, header):
    if column in NAMES:
        return NAMES[column]
    # SQLite's names ignore case: radii of gyration (ix) beside moments of inertia (Ix), and the
    # long leg (B) beside the short one (b) of an unequal angle, need names of their own.
    m = re.fullmatch(r"i([a-z][0-9]?)_cm", column)
    if m:
        return "i_" + m.group(1)
    if column == "B_mm" and "b_mm" in header:
        return "B_long"
    m = re.fullmatch(r"([A-Za-z][A-Za-z0-9]*)(_(mm|cm[0-9]?))?", column)
    if not m:
        raise SystemExit(f"no field name for column {column!r}")
    return m.group(1)


def gbk_text(text):
    """The database keeps GBK-representable texts: a superscript two becomes a plain 2."""
    return text.replace("²", "2").replace("³", "3")


def convert(table, fact):
    with open(os.path.join(FACTS, fact), encoding="utf-8", newline="") as f:
        rows = list(csv.reader(f))
    header, body = rows[0], rows[1:]
    names = [field_name(c, header) for c in header]
    if len(set(n.lower() for n in names)) != len(names):
        raise SystemExit(f"{fact}: two columns map to one field name: {names}")
    with open(os.path.join(OUT, table + ".csv"), "w", encoding="utf-8", newline="") as f:
        w = csv.writer(f, lineterminator="\n")
        w.writerow(["id:INTEGER"] + [n + ":TEXT" for n in names])
        w.writerow([0] + [gbk_text(c) for c in header])
        for i, row in enumerate(body, start=1):
            w.writerow([i] + [gbk_text(v) for v in row])
    return len(body)


def main():
    for table, fact in TABLES:
        print(f"{table}: {convert(table, fact)} rows from {fact}")


if __name__ == "__main__":
    main()
