#include "sheets/sheetlayout.h"

#include "numbers/numtext.h"

#include <array>

namespace mhbk::sheets {

namespace {

const QString kSubtotal = QStringLiteral("小计");

const QString kFormulaRule =
    QStringLiteral("刷油面积 S=πDL；保温体积 V=π(D+1.033δ)×1.033δ×L，保温面积约为 π(D+2.1δ)×L，依据《全国统一安装工程"
                   "预算工程量计算规则》(GYDGZ-201-2000)第十一册。");
const QString kTotal = QStringLiteral("合计");

QStringList columnHeaders(const QString &first)
{
    return {first,
            QStringLiteral("管子长度m"),
            QStringLiteral("面积m2/m"),
            QStringLiteral("刷油面积m2"),
            QStringLiteral("体积m3/m"),
            QStringLiteral("保温体积m3"),
            QStringLiteral("面积m2/m"),
            QStringLiteral("保温面积m2")};
}

// Subtotal rows of the outer-diameter sheet; the band above each ends there. Row 0 opens the list.
constexpr std::array<int, 7> kBoundaries = {0, 33, 53, 75, 88, 92, 98};

const char *const kOuterDiameters[] = {
    // rows 1 to 32
    "14", "17", "18", "21", "21.30", "21.70", "22.00", "24.50", "25.00", "25.30", "27.20", "28.00",
    "28.30", "30.40", "30.50", "31.30", "32.00", "33.70", "34.00", "35.30", "37.00", "37.30", "38.00",
    "41.30", "45.00", "48.00", "48.30", "48.60", "49.00", "51.90", "52.30", "57.00",
    // rows 34 to 52
    "60.00", "60.30", "60.50", "63.30", "63.60", "63.80", "73.00", "76.00", "76.30", "89.00", "89.10",
    "94.00", "108.00", "108.40", "114.00", "114.30", "117.00", "118.60", "133.00",
    // rows 54 to 74
    "149.10", "159.00", "165.00", "165.20", "168.00", "174.30", "180.00", "216.00", "216.30", "219.00",
    "225.20", "240.00", "273.00", "275.20", "276.40", "286.30", "299.00", "316.30", "318.00", "318.50",
    "325.00",
    // rows 76 to 87
    "351.00", "355.60", "366.30", "366.70", "377.00", "398.10", "398.50", "426.00", "435.60", "478.00",
    "525.60", "529.00",
    // rows 89 to 91
    "630.00", "660.40", "720.00",
    // rows 93 to 97
    "726.00", "820.00", "920.00", "1020.00", "1222.00",
};

SheetDescription buildOuterDiameterSheet()
{
    SheetDescription d{QStringLiteral("TfrmGGBW"), QStringLiteral("od"), true, {},
                       kFormulaRule + QStringLiteral("外径为各类钢管的常用外径，不出自同一标准。")};
    d.rows.push_back({RowKind::Header, QStringLiteral("管道外径"), 0, {}});
    std::size_t next = 0;
    for (std::size_t b = 1; b < kBoundaries.size(); ++b) {
        for (int row = kBoundaries[b - 1] + 1; row < kBoundaries[b]; ++row) {
            const QString text = QString::fromLatin1(kOuterDiameters[next++]);
            d.rows.push_back({RowKind::Data, text, strToFloat(text), {}});
        }
        d.rows.push_back({RowKind::Subtotal, kSubtotal, 0, {}});
    }
    d.rows.push_back({RowKind::Total, kTotal, 0, {}});
    return d;
}

struct NominalRow {
    const char *label;  // nominal size with the outer diameter in parentheses; nullptr = subtotal
    double diameterMm;
    const char *area;   // painting area per metre as printed in the sheet
};

const NominalRow kNominalRows[] = {
    {"15(21.25)", 21.25, "0.0669"}, {"20(26.75)", 26.75, "0.0855"}, {"25(33.5)", 33.5, "0.1059"},
    {"32(42.25)", 42.25, "0.1297"}, {"40(48)", 48, "0.1507"},       {"50(60)", 60, "0.1885"},
    {nullptr, 0, nullptr},
    {"70(75.5)", 75.5, "0.2386"},   {"80(88.5)", 88.5, "0.2795"},   {"100(114)", 114, "0.3580"},
    {"125(140)", 140, "0.4398"},
    {nullptr, 0, nullptr},
    {"150(165)", 165, "0.5181"},    {"200(219)", 219, "0.6880"},    {"250(273)", 273, "0.8580"},
    {"300(325)", 325, "1.0201"},    {"350(377)", 377, "1.1840"},    {"400(426)", 426, "1.3685"},
    {"450(478)", 478, "1.5020"},
    {nullptr, 0, nullptr},
    {"500(529)", 529, "1.6619"},    {"600(630)", 630, "1.9792"},    {"700(720)", 720, "2.2619"},
    {nullptr, 0, nullptr},
};

SheetDescription buildNominalSizeSheet()
{
    SheetDescription d{QStringLiteral("TfrmGGBW_Old"), QStringLiteral("dn"), false, {},
                       kFormulaRule + QStringLiteral("DN15~DN150 的外径为 GB/T 3091-1993 焊接钢管外径（现行 "
                                                     "GB/T 3091-2015 外径不同，如 DN15 为 21.3），DN200 及以上为"
                                                     "无缝钢管常用外径。")};
    d.rows.push_back({RowKind::Header, QStringLiteral("管径"), 0, {}});
    for (const NominalRow &r : kNominalRows) {
        if (r.label)
            d.rows.push_back({RowKind::Data, QString::fromLatin1(r.label), r.diameterMm, QString::fromLatin1(r.area)});
        else
            d.rows.push_back({RowKind::Subtotal, kSubtotal, 0, {}});
    }
    d.rows.push_back({RowKind::Total, kTotal, 0, {}});
    return d;
}

} // namespace

RowKind SheetDescription::kind(int row) const
{
    return rows.at(static_cast<std::size_t>(row)).kind;
}

std::vector<Band> SheetDescription::bands() const
{
    std::vector<Band> result;
    int first = 1;
    for (int row = 1; row < rowCount(); ++row) {
        if (kind(row) == RowKind::Subtotal) {
            result.push_back({first, row});
            first = row + 1;
        }
    }
    return result;
}

QStringList SheetDescription::headers() const
{
    return columnHeaders(rows.front().label);
}

const SheetDescription &outerDiameterSheet()
{
    static const SheetDescription sheet = buildOuterDiameterSheet();
    return sheet;
}

const SheetDescription &nominalSizeSheet()
{
    static const SheetDescription sheet = buildNominalSizeSheet();
    return sheet;
}

} // namespace mhbk::sheets
