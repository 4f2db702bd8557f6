// The figures an answer takes from a table row, and the standards the tables follow.
#include "designation/figures.h"
#include "designation/rowlookup.h"

#include <algorithm>

namespace mhbk::designation {

namespace {

double number(const TableRow &row, const char *field)
{
    return row.value(QString::fromLatin1(field)).toDouble();
}

// k of the bend rule a purlin row follows, as its check names it (inner radius 2t, else 1.735t).
double purlinK(const TableRow &row)
{
    return row.value(QStringLiteral("Check")).contains(QStringLiteral("2t")) ? geometry::kLippedTwoT : 7.8375;
}

// The geometry of the row's own dimensions: where the table gives no area or surface.
geometry::Figures rowGeometry(const TableRow &row, const QString &table)
{
    if (table == QLatin1String("PurlinC") || table == QLatin1String("PurlinZ"))
        return geometry::lipped(number(row, "h"), number(row, "b"), number(row, "c"), number(row, "t"), purlinK(row));
    if (table == QLatin1String("UnequalAngleProps"))
        return geometry::angle(number(row, "B_long"), number(row, "b"), number(row, "d"), number(row, "r"));
    if (table == QLatin1String("AngleProps"))
        return geometry::angle(number(row, "b"), number(row, "b"), number(row, "d"), number(row, "r"));
    return {};
}

// The actual dimensions of the row, in the reading's order, once a nominal size chose it.
std::vector<double> rowDims(const TableRow &row, const QString &table)
{
    const char *h = table == QLatin1String("CutTee") ? "h" : "H";
    return {number(row, h), number(row, "B"), number(row, "t1"), number(row, "t2")};
}

QString rowName(const TableRow &row)
{
    QString name = row.value(QStringLiteral("No"));
    const QString old = row.value(QStringLiteral("No2017"));
    if (!old.isEmpty())
        name += QStringLiteral("，2017 版 %1").arg(old);
    return name;
}

// Rolled sections name their profile besides the number: h, b, d, t, r.
QString profileWords(const TableRow &row, const QString &table)
{
    if (table != QLatin1String("IBeamProps") && table != QLatin1String("ChannelProps"))
        return {};
    return QStringLiteral("高 h=%1 mm，腿宽 b=%2 mm，腰厚 d=%3 mm，平均腿厚 t=%4 mm，内圆弧半径 r=%5 mm")
        .arg(row.value(QStringLiteral("h")), row.value(QStringLiteral("b")), row.value(QStringLiteral("d")),
             row.value(QStringLiteral("t")), row.value(QStringLiteral("r")));
}

double topOf(const TableRow &row, const QString &table)
{
    if (table == QLatin1String("IBeamProps") || table == QLatin1String("ChannelProps") || table.startsWith(QLatin1String("Purlin"))
        || table == QLatin1String("AngleProps") || table == QLatin1String("UnequalAngleProps"))
        return number(row, "b");
    if (table == QLatin1String("HollowRound"))
        return 0;
    return number(row, "B");
}

} // namespace

void applyRow(Answer &a, const TableRow &row, const QString &table, double density)
{
    if (table == QLatin1String("HBeam") || table == QLatin1String("HKBeam") || table == QLatin1String("CutTee")) {
        a.reading.dims = rowDims(row, table);
        a.reading.nominal = false;
        if (table == QLatin1String("HKBeam"))
            a.reading.kind = Kind::HKBeam;
    }
    if (table == QLatin1String("UnequalAngleProps") || table == QLatin1String("AngleProps"))
        a.reading.dims.back() = number(row, "d");
    a.fromTable = true;
    a.table = table;
    a.row = row.number;
    a.weightUnit = QStringLiteral("kg/m");
    const QString printedWeight = row.value(QStringLiteral("G"));
    a.weight = printedWeight.toDouble() * density / kSteelDensity;
    a.weightText = density == kSteelDensity ? printedWeight : fixedText(a.weight, 3);

    QStringList calculated;
    QString area = row.value(QStringLiteral("A"));
    if (area.isEmpty())
        area = row.value(QStringLiteral("A_calc"));
    if (!row.value(QStringLiteral("A_calc")).isEmpty() && row.value(QStringLiteral("A")).isEmpty())
        calculated << QStringLiteral("截面面积");
    QString surface = row.value(QStringLiteral("S"));
    if (surface.isEmpty() && !row.value(QStringLiteral("S_calc")).isEmpty()) {
        surface = row.value(QStringLiteral("S_calc"));
        calculated << QStringLiteral("外表面积");
    }
    const geometry::Figures own = rowGeometry(row, table);
    if (area.isEmpty()) {
        area = own.area > 0 ? fixedText(own.area / 100, 3) : fixedText(printedWeight.toDouble() / 0.785, 3);
        calculated << (own.area > 0 ? QStringLiteral("截面面积") : QStringLiteral("截面面积（由表中重量 ÷ 0.785 反算）"));
    }
    a.area = area.toDouble();
    a.areaText = area;
    const double top = topOf(row, table) / 1000;
    if (surface.isEmpty()) {
        a.surface = own.perimeter / 1000;
        a.surfaceText = fixedText(a.surface, 4);
        calculated << QStringLiteral("外表面积");
    } else {
        a.surface = surface.toDouble();
        a.surfaceText = surface;
    }
    a.surfaceWithoutTop = std::max(0.0, a.surface - top);
    // As many decimals as the surface shows, so that the two lines read alike.
    const qsizetype point = a.surfaceText.indexOf(u'.');
    a.surfaceWithoutTopText = fixedText(a.surfaceWithoutTop, point < 0 ? 3 : std::max<int>(3, int(a.surfaceText.size() - point - 1)));

    a.source = QStringLiteral("%1，表 %2 第 %3 行（%4）").arg(tableStandard(table), table).arg(row.number).arg(rowName(row));
    if (!calculated.isEmpty())
        a.source += QStringLiteral("；标准表中不印%1，此值按几何计算%2")
                        .arg(calculated.join(QStringLiteral("、")), own.formula.isEmpty() ? QString() : QStringLiteral("（") + own.formula + QStringLiteral("）"));
    const QString check = row.value(QStringLiteral("Check"));
    if (!check.startsWith(QStringLiteral("通过"))) {
        a.check = check;
        for (const char *field : {"CheckNote", "Note"}) {
            const QString note = row.value(QString::fromLatin1(field));
            if (!note.isEmpty())
                a.check += QStringLiteral("；") + note;
        }
    }
    const QString profile = profileWords(row, table);
    if (!profile.isEmpty())
        a.notes << profile;
}

QString tableStandard(const QString &table)
{
    if (table == QLatin1String("HBeam"))
        return QStringLiteral("GB/T 11263-2024 附录A 热轧H型钢（版本按转录件，未与标准原文核对）");
    if (table == QLatin1String("HKBeam"))
        return QStringLiteral("GB/T 11263-2024 附录B HK型钢（版本按转录件，未与标准原文核对）");
    if (table == QLatin1String("CutTee"))
        return QStringLiteral("GB/T 11263-2024 附录C 剖分T型钢（版本按转录件，未与标准原文核对）");
    if (table == QLatin1String("HollowRect"))
        return QStringLiteral("GB/T 6728 冷弯方矩形空心型钢（版本未确认）");
    if (table == QLatin1String("HollowRound"))
        return QStringLiteral("GB/T 6728 冷弯圆形空心型钢（版本未确认）");
    if (table == QLatin1String("PurlinC"))
        return QStringLiteral("GB/T 6723 冷弯卷边槽钢（版本未确认）");
    if (table == QLatin1String("PurlinZ"))
        return QStringLiteral("GB/T 6723 冷弯卷边Z型钢（版本未确认）");
    if (table == QLatin1String("AngleProps"))
        return QStringLiteral("GB/T 706-2016 等边角钢");
    if (table == QLatin1String("UnequalAngleProps"))
        return QStringLiteral("GB/T 706-2016 不等边角钢");
    if (table == QLatin1String("IBeamProps"))
        return QStringLiteral("GB/T 706-2016 工字钢");
    if (table == QLatin1String("ChannelProps"))
        return QStringLiteral("GB/T 706-2016 槽钢");
    return {};
}

const std::vector<QString> &designationTables()
{
    static const std::vector<QString> tables = {
        QStringLiteral("HBeam"),      QStringLiteral("HKBeam"),    QStringLiteral("CutTee"),
        QStringLiteral("HollowRect"), QStringLiteral("HollowRound"), QStringLiteral("PurlinC"),
        QStringLiteral("PurlinZ"),    QStringLiteral("AngleProps"), QStringLiteral("UnequalAngleProps"),
        QStringLiteral("IBeamProps"), QStringLiteral("ChannelProps")};
    return tables;
}

} // namespace mhbk::designation
