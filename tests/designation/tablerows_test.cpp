// Every row of every designation table, read from the built handbook database: the calculator
// finds the row from its own designation and answers its printed figures; the weight is 0.785 ×
// the area to the printed digits; the geometry agrees with every row that passed its check.
// The tolerances are those of the tables' source notes: a printed value agrees when it is within
// 1.5 units of its last digit of the calculation (it may round or truncate); a surface within 0.5 %.
#include "data/database.h"
#include "designation/calculator.h"
#include "designation/databaserows.h"
#include "designation/figures.h"
#include "support/missingtool.h"
#include "support/testdb.h"

#include <QFileInfo>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace mhbk::designation {
namespace {

namespace g = geometry;

class DesignationTables : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QFileInfo::exists(test::builtDatabasePath()))
            MHBK_SKIP_WITHOUT("System.dat");
        copy = std::make_unique<test::TestDatabaseCopy>();
        db = std::make_unique<HandbookDatabase>(copy->path());
        rows = std::make_unique<DatabaseRows>(*db);
    }
    std::unique_ptr<test::TestDatabaseCopy> copy;
    std::unique_ptr<HandbookDatabase> db;
    std::unique_ptr<DatabaseRows> rows;
};

double num(const TableRow &row, const char *field)
{
    return row.value(QString::fromLatin1(field)).toDouble();
}

QString text(const TableRow &row, const char *field)
{
    return row.value(QString::fromLatin1(field));
}

// One unit of the printed value's last digit.
double unitOf(const QString &printed)
{
    const qsizetype point = printed.indexOf(u'.');
    return point < 0 ? 1 : std::pow(10.0, -static_cast<double>(printed.size() - point - 1));
}

// The value as printed agrees with the calculation: within 1.5 units of its last digit; a printed
// trailing zero may be no significant digit (9.370 for 9.379, 1260 for 1262).
bool agrees(double calculated, const QString &printed)
{
    const double diff = std::fabs(calculated - printed.toDouble());
    if (diff <= 1.5 * unitOf(printed) + 1e-9)
        return true;
    if (!printed.endsWith(u'0'))
        return false;
    QString shorter = printed;
    shorter.chop(1);
    const double unit = printed.contains(u'.') ? unitOf(shorter.endsWith(u'.') ? shorter.chopped(1) : shorter) : 10;
    return diff <= 1.5 * unit + 1e-9;
}

bool passed(const TableRow &row)
{
    return text(row, "Check").startsWith(QStringLiteral("通过"));
}

// The designation each table's row is written with on a drawing.
QString designationOf(const QString &table, const TableRow &r)
{
    const auto x = [](std::initializer_list<QString> parts) { return QStringList(parts).join(QChar(0x00D7)); };
    if (table == QLatin1String("HBeam"))
        return QStringLiteral("H") + x({text(r, "H"), text(r, "B"), text(r, "t1"), text(r, "t2")});
    if (table == QLatin1String("HKBeam"))
        return QStringLiteral("HK") + x({text(r, "H"), text(r, "B"), text(r, "t1"), text(r, "t2")});
    if (table == QLatin1String("CutTee"))
        return QStringLiteral("T") + x({text(r, "h"), text(r, "B"), text(r, "t1"), text(r, "t2")});
    if (table == QLatin1String("HollowRect"))
        return QStringLiteral("□") + x({text(r, "H"), text(r, "B"), text(r, "t")});
    if (table == QLatin1String("HollowRound"))
        return QStringLiteral("Φ") + x({text(r, "D"), text(r, "t")});
    if (table == QLatin1String("PurlinC") || table == QLatin1String("PurlinZ"))
        return table.right(1) + x({text(r, "h"), text(r, "b"), text(r, "c"), text(r, "t")});
    if (table == QLatin1String("AngleProps"))
        return QStringLiteral("∠") + x({text(r, "b"), text(r, "d")});
    if (table == QLatin1String("UnequalAngleProps"))
        return QStringLiteral("∠") + x({text(r, "B_long"), text(r, "b"), text(r, "d")});
    if (table == QLatin1String("IBeamProps"))
        return QStringLiteral("I") + text(r, "No");
    return QStringLiteral("[") + text(r, "No");
}

TEST_F(DesignationTables, EveryTableIsThereWithAllItsRows)
{
    const std::pair<const char *, size_t> counts[] = {
        {"HBeam", 431},      {"HKBeam", 378},           {"CutTee", 80},      {"HollowRect", 291},
        {"HollowRound", 82}, {"PurlinC", 39},           {"PurlinZ", 21},     {"AngleProps", 115},
        {"UnequalAngleProps", 71}, {"IBeamProps", 45}, {"ChannelProps", 41}};
    EXPECT_TRUE(rows->missingTables().isEmpty());
    for (const auto &[table, count] : counts)
        EXPECT_EQ(rows->rows(QString::fromLatin1(table)).size(), count) << table;
}

TEST_F(DesignationTables, EveryRowIsFoundByItsDesignationAndAnswersItsPrintedFigures)
{
    int checked = 0;
    for (const QString &table : designationTables()) {
        for (const TableRow &row : rows->rows(table)) {
            const QString designation = designationOf(table, row);
            const AnswerResult result = answerFor(designation, *rows);
            ASSERT_TRUE(result.answer) << designation.toStdString() << ": " << result.error.toStdString();
            const Answer &a = *result.answer;
            EXPECT_EQ(a.table, table) << designation.toStdString();
            EXPECT_EQ(a.row, row.number) << designation.toStdString();
            EXPECT_EQ(a.weightText, text(row, "G")) << designation.toStdString();
            const QString area = text(row, "A").isEmpty() ? text(row, "A_calc") : text(row, "A");
            if (!area.isEmpty()) {
                EXPECT_EQ(a.areaText, area) << designation.toStdString();
            }
            const QString surface = text(row, "S").isEmpty() ? text(row, "S_calc") : text(row, "S");
            if (!surface.isEmpty()) {
                EXPECT_EQ(a.surfaceText, surface) << designation.toStdString();
            }
            // A row that did not pass its check says so with the answer.
            EXPECT_EQ(a.check.isEmpty(), passed(row)) << designation.toStdString();
            ++checked;
        }
    }
    EXPECT_EQ(checked, 1594);
}

// The area of a row as the table's check computed it: printed where the standard prints it,
// else from the rule the row follows (the hollow and C/Z tables print no area).
struct RowGeometry {
    double area = 0;      // mm²; 0 where no rule reproduces the row
    double perimeter = 0; // mm; 0 where the table has no surface
};

RowGeometry geometryOf(const QString &table, const TableRow &r)
{
    g::Figures f;
    if (table == QLatin1String("HBeam") || table == QLatin1String("HKBeam"))
        f = g::hSection(num(r, "H"), num(r, "B"), num(r, "t1"), num(r, "t2"), num(r, "r"));
    else if (table == QLatin1String("CutTee"))
        f = g::tee(num(r, "h"), num(r, "B"), num(r, "t1"), num(r, "t2"), num(r, "r"));
    else if (table == QLatin1String("HollowRect"))
        f = g::rectHollow(num(r, "H"), num(r, "B"), num(r, "t"), num(r, "R_rule"));
    else if (table == QLatin1String("HollowRound"))
        f = g::roundHollow(num(r, "D"), num(r, "t"));
    else if (table == QLatin1String("AngleProps"))
        f = g::angle(num(r, "b"), num(r, "b"), num(r, "d"), num(r, "r"));
    else if (table == QLatin1String("UnequalAngleProps"))
        f = g::angle(num(r, "B_long"), num(r, "b"), num(r, "d"), num(r, "r"));
    else if (table == QLatin1String("IBeamProps"))
        f = g::iBeam(num(r, "h"), num(r, "b"), num(r, "d"), num(r, "t"), num(r, "r"), num(r, "r1"));
    else if (table == QLatin1String("ChannelProps"))
        f = g::channel(num(r, "h"), num(r, "b"), num(r, "d"), num(r, "t"), num(r, "r"), num(r, "r1"));
    else if (!text(r, "A_calc").isEmpty()) {
        const double k = text(r, "Check").contains(QStringLiteral("2t")) ? g::kLippedTwoT : 7.8375;
        return {g::lipped(num(r, "h"), num(r, "b"), num(r, "c"), num(r, "t"), k).area, 0};
    }
    return {f.area, f.perimeter};
}

TEST_F(DesignationTables, WeightIsSteelTimesTheAreaToThePrintedDigits)
{
    for (const QString &table : designationTables()) {
        for (const TableRow &row : rows->rows(table)) {
            const QString printedArea = text(row, "A");
            const QString weight = text(row, "G");
            if (!printedArea.isEmpty()) {
                // Printed tables: every row, passed or not, within the print's rounding.
                EXPECT_TRUE(agrees(0.785 * printedArea.toDouble(), weight) || agrees(0.785 * geometryOf(table, row).area / 100, weight))
                    << table.toStdString() << " row " << row.number << ": " << weight.toStdString() << " vs 0.785 × "
                    << printedArea.toStdString();
            } else if (passed(row) && geometryOf(table, row).area > 0) {
                // Calculated areas: the rows whose printed weight passed the rule.
                EXPECT_TRUE(agrees(0.785 * geometryOf(table, row).area / 100, weight))
                    << table.toStdString() << " row " << row.number << ": " << weight.toStdString();
            }
        }
    }
}

TEST_F(DesignationTables, GeometryAgreesWithEveryRowThatPassedItsCheck)
{
    int areas = 0;
    int surfaces = 0;
    for (const QString &table : designationTables()) {
        for (const TableRow &row : rows->rows(table)) {
            if (!passed(row))
                continue;
            const RowGeometry geo = geometryOf(table, row);
            const QString area = text(row, "A").isEmpty() ? text(row, "A_calc") : text(row, "A");
            if (!area.isEmpty() && geo.area > 0) {
                EXPECT_TRUE(agrees(geo.area / 100, area))
                    << table.toStdString() << " row " << row.number << ": area " << area.toStdString() << " vs " << geo.area / 100;
                ++areas;
            }
            const QString surface = text(row, "S").isEmpty() ? text(row, "S_calc") : text(row, "S");
            if (!surface.isEmpty() && geo.perimeter > 0) {
                EXPECT_LE(std::fabs(geo.perimeter / 1000 / surface.toDouble() - 1), 0.005)
                    << table.toStdString() << " row " << row.number << ": surface " << surface.toStdString() << " vs "
                    << geo.perimeter / 1000;
                ++surfaces;
            }
        }
    }
    // Rows passed: 430 + 378 + 76 H, HK, T; 281 + 81 hollow; 45 C/Z with an area; 202 of GB/T 706
    // (the unequal angle 7/4.5×7 prints no area).
    EXPECT_EQ(areas, 430 + 378 + 76 + 281 + 81 + 45 + 106 + 45 + 22 + 28);
    EXPECT_EQ(surfaces, 430 + 378 + 76 + 281 + 81 + 106 + 46 + 22 + 28);
}

} // namespace
} // namespace mhbk::designation
