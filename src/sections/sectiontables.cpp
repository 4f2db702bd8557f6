#include "sections/sectiontables.h"

namespace mhbk {

namespace {

struct ShownFields {
    const char *table;
    int fields;
};

constexpr ShownFields kTables[] = {
    {"circle", 2},       {"sqare", 2},        {"Rectangle", 3},   {"Hexagon", 2},      {"steelboard", 2},
    {"Regular", 4},      {"NoRegular", 5},    {"Ishaped", 5},     {"LightIshaped", 5}, {"groove", 5},
    {"Lightgroove", 5},  {"NoSewType", 2},    {"ColdSewType", 2}, {"NicetyNoSew", 2},  {"BoilerNoSew", 2},
    {"stainlessHot", 2}, {"stainlessCold", 2}, {"SeelTube", 6},   {"SleeveTube", 4},   {"ScrewTube", 3},
    {"steelboard_HW", 5},
};

// Each table's standard and edition, as handbook/SOURCES.md records them. Where the rows were not
// seen in a copy of the standard, the page says its figures are reference values.
enum class Rows { Checked, Reference };

struct TableNote {
    const char *table;
    Rows rows;
    const char *note;
    bool pipeFormula = false; // weights computed by the pipe formula, which the note then names
};

constexpr char kReference[] = "本表数值为参考值，未能与标准原文逐行核对，使用前请核对。";
constexpr char kPipeWeight[] = "重量按 3.1416x7.85x(D-t)t/1000。";

constexpr TableNote kNotes[] = {
    {"circle", Rows::Reference, "依据：GB/T 702-2017《热轧钢棒尺寸、外形、重量及允许偏差》圆钢，重量 0.006165d<sup>2</sup>，取三位有效数字。"},
    {"sqare", Rows::Reference, "依据：GB/T 702-2017《热轧钢棒尺寸、外形、重量及允许偏差》方钢，重量 0.00785a2，取三位有效数字。"},
    {"Hexagon", Rows::Checked, "依据：GB/T 705-1989《热轧六角钢和八角钢》表列重量（该标准已作废，现行为 GB/T 702-2017）。"},
    {"steelboard", Rows::Reference, "依据：GB/T 709-2019 热轧钢板、GB/T 708-2019 冷轧钢板的厚度，重量 7.85t（kg/m2）。"},
    {"Rectangle", Rows::Reference, "依据：GB/T 704-2008《热轧扁钢尺寸、外形、重量及允许偏差》的厚度、宽度系列；"
                                   "厚宽组合为本表所排（厚度不超过宽度之半），不是标准所列。"},
    {"Regular", Rows::Checked, "依据：GB/T 706-2008《热轧型钢》等边角钢（含 GB 9787-88 规格）；现行 GB/T 706-2016 "
                               "重量取三位有效数字，与本表一致。"},
    {"NoRegular", Rows::Checked, "依据：GB/T 706-2008《热轧型钢》不等边角钢（含 GB 9788-88 规格）；现行 GB/T 706-2016 "
                                 "重量取三位有效数字，与本表一致。"},
    {"Ishaped", Rows::Checked, "依据：GB/T 706-2008《热轧型钢》工字钢（含 GB 706-88 规格）；现行 GB/T 706-2016 "
                               "对八种大号工字钢的重量有调整（小 0.1%~0.5%）。"},
    {"groove", Rows::Checked, "依据：GB/T 706-2008《热轧型钢》槽钢（含 GB 707-88 规格）；现行 GB/T 706-2016 "
                              "重量取三位有效数字，与本表一致。"},
    {"LightIshaped", Rows::Reference, "依据：YB 163-63 轻型工字钢（已废止），数值按苏联标准 GOST 8239-89 核对。"},
    {"Lightgroove", Rows::Reference, "依据：YB 164-63 轻型槽钢（已废止），数值按苏联标准 GOST 8240-89 核对。"},
    {"NoSewType", Rows::Reference, "依据：GB/T 17395-2008《无缝钢管尺寸、外形、重量及允许偏差》热轧管的外径与壁厚"
                                   "（GB/T 8162-2018、GB/T 8163-2018 引用）。", true},
    {"ColdSewType", Rows::Reference, "依据：GB/T 17395-2008《无缝钢管尺寸、外形、重量及允许偏差》冷拔管的外径与壁厚"
                                     "（GB/T 8162-2018、GB/T 8163-2018 引用）。", true},
    {"NicetyNoSew", Rows::Reference, "依据：GB/T 3639-2009《冷拔或冷轧精密无缝钢管》的外径与壁厚。", true},
    {"BoilerNoSew", Rows::Reference, "依据：GB 3087-2008《低中压锅炉用无缝钢管》的外径与壁厚。", true},
    {"stainlessHot", Rows::Reference, "依据：GB/T 14976-2012《流体输送用不锈钢无缝钢管》热轧管的外径与壁厚；"
                                      "重量按密度 7.85 计，不锈钢实为 7.93~7.98，约重 1%~2%。", true},
    {"stainlessCold", Rows::Reference, "依据：GB/T 14976-2012《流体输送用不锈钢无缝钢管》冷拔管的外径与壁厚；"
                                       "重量按密度 7.85 计，不锈钢实为 7.93~7.98，约重 1%~2%。", true},
    {"SeelTube", Rows::Reference, "依据：GB/T 3091-2015《低压流体输送用焊接钢管》普通管与加厚管；DN15~DN50 外径、"
                                  "DN15 普通管壁厚及 DN50 壁厚已核对。1993 版外径（如 21.25）见“速查表1”。"},
    {"SleeveTube", Rows::Reference, "依据：电线管（薄壁钢管）常用规格；所依据的标准及版本未能查到。", true},
    {"ScrewTube", Rows::Reference, "依据：SY/T 5037-2018《普通流体输送管道用埋弧焊钢管》常用外径与壁厚。", true},
    {"steelboard_HW", Rows::Reference, "依据：GB/T 3277-1991《花纹钢板》的基本厚度、纹高与理论重量。"},
};

} // namespace

QString sectionTableNote(const QString &tableName)
{
    for (const TableNote &t : kNotes) {
        if (tableName != QLatin1String(t.table))
            continue;
        QString note = QString::fromUtf8(t.note);
        if (t.pipeFormula)
            note += QString::fromUtf8(kPipeWeight);
        if (t.rows == Rows::Reference)
            note += QString::fromUtf8(kReference);
        return note;
    }
    return {};
}

QString flatBarGridNote()
{
    return QStringLiteral("本表宽度 W、厚度 D 取 GB/T 702 扁钢的规格系列，重量按 W x D x 7.85/1000 计算。");
}

int sectionTableShownFields(const QString &tableName)
{
    for (const ShownFields &t : kTables) {
        if (tableName == QLatin1String(t.table))
            return t.fields;
    }
    return 0;
}

} // namespace mhbk
