#include "data/database.h"
#include "data/datasets.h"
#include "data/gbk.h"
#include "data/gridloader.h"
#include "widgets/stringgrid.h"
#include "support/testdb.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>
#include <cmath>
#include <gtest/gtest.h>
#include <map>

namespace mhbk {
namespace {

struct Layout {
    const char *table;
    QStringList fields; // in position order
    bool caption;
};

// What the pages read: position 0 never shown, the shown fields after it, the named fields.
const std::vector<Layout> &layouts()
{
    static const std::vector<Layout> all = {
        {"circle", {"id", "d", "G"}, true},
        {"sqare", {"id", "a", "G"}, true},
        {"Hexagon", {"id", "a", "G"}, true},
        {"steelboard", {"id", "d", "G"}, true},
        {"Rectangle", {"id", "a", "b", "N3"}, true},
        {"Regular", {"id", "No", "b", "d", "G"}, true},
        {"NoRegular", {"id", "No", "B1", "b", "d", "G"}, true},
        {"Ishaped", {"id", "No", "h", "b", "d", "G"}, true},
        {"LightIshaped", {"id", "No", "h", "b", "d", "G"}, true},
        {"groove", {"id", "No", "h", "b", "d", "G"}, true},
        {"Lightgroove", {"id", "No", "h", "b", "d", "G"}, true},
        {"NoSewType", {"id", "Size", "G"}, true},
        {"ColdSewType", {"id", "Size", "G"}, true},
        {"NicetyNoSew", {"id", "Size", "G"}, true},
        {"BoilerNoSew", {"id", "Size", "G"}, true},
        {"stainlessHot", {"id", "Size", "G"}, true},
        {"stainlessCold", {"id", "Size", "G"}, true},
        {"SeelTube", {"id", "DN", "OD", "cd", "cG", "td", "tG"}, true},
        {"SleeveTube", {"id", "DN", "Wall", "OD", "G"}, true},
        {"ScrewTube", {"id", "OD", "Wall", "G"}, true},
        {"steelboard_HW", {"id", "jbhd", "WG_LX", "LLZL_LX", "WG_BDX", "LLZL_BDX"}, true},
        {"Report", {"Index", "nr", "lx"}, false},
        {"tmp", {"bchd", "deh", "gwb"}, false},
    };
    return all;
}

class HandbookContent : public ::testing::Test {
protected:
    test::TestDatabaseCopy copy;
    HandbookDatabase db{copy.path()};
    TableDataset table{db};

    // The texts of record `record` (0 = caption record), fields 1.., of a table.
    QStringList recordTexts(const QString &name, int record)
    {
        table.open(name);
        for (int i = 0; i < record; ++i)
            table.next();
        QStringList texts;
        for (int f = 1; f < table.fieldCount(); ++f)
            texts << table.fieldText(f);
        return texts;
    }

    QString weightOf(const QString &name, const QString &size, int sizeField, int weightField)
    {
        table.open(name);
        for (table.first(); !table.eof(); table.next())
            if (table.fieldText(sizeField) == size)
                return table.fieldText(weightField);
        return QStringLiteral("<no %1 in %2>").arg(size, name);
    }
};

TEST_F(HandbookContent, EveryTableHasItsFieldsAtTheirPositions)
{
    for (const Layout &layout : layouts()) {
        const QString name = QString::fromLatin1(layout.table);
        table.open(name);
        EXPECT_EQ(table.fieldNames(), layout.fields) << layout.table;
        if (layout.caption) {
            ASSERT_GE(table.recordCount(), 2) << layout.table;
            for (int f = 1; f < table.fieldCount(); ++f)
                EXPECT_FALSE(table.fieldText(f).isEmpty()) << layout.table << " caption of field " << f;
        }
    }
    for (const char *reference : {"comunit", "constdensity", "constformula"})
        EXPECT_NO_THROW(table.open(QString::fromLatin1(reference))) << reference;
}

TEST_F(HandbookContent, CaptionsNameTheColumnsWithUnits)
{
    EXPECT_EQ(recordTexts(QStringLiteral("circle"), 0), (QStringList{"直径(mm)", "重量(kg/m)"}));
    EXPECT_EQ(recordTexts(QStringLiteral("steelboard"), 0), (QStringList{"厚度(mm)", "重量(kg/m2)"}));
    EXPECT_EQ(recordTexts(QStringLiteral("NoSewType"), 0), (QStringList{"外径×壁厚(mm)", "重量(kg/m)"}));
    EXPECT_EQ(recordTexts(QStringLiteral("steelboard_HW"), 0).first(), QStringLiteral("基本厚度(mm)"));
}

struct Spot {
    const char *table;
    const char *size;
    int sizeField;
    int weightField;
    const char *weight;
    const char *why;
};

TEST_F(HandbookContent, SpotChecksAgainstTheStandards)
{
    const Spot spots[] = {
        {"circle", "10", 1, 2, "0.617", "GB/T 702: 0.006165 d^2"},
        {"circle", "5.5", 1, 2, "0.186", "GB/T 702 print"},
        {"circle", "100", 1, 2, "61.7", "GB/T 702, three significant figures"},
        {"sqare", "10", 1, 2, "0.785", "GB/T 702"},
        {"Hexagon", "10", 1, 2, "0.680", "GB/T 705 print"},
        {"Hexagon", "70", 1, 2, "33.30", "GB/T 705 print"},
        {"steelboard", "10", 1, 2, "78.5", "7.85 t"},
        {"steelboard", "0.35", 1, 2, "2.7475", "7.85 t exactly"},
        {"Regular", "2", 1, 4, "0.889", "GB 9787-88 print, No.2 x3"},
        {"NoRegular", "2.5/1.6", 1, 5, "0.912", "GB 9788-88, 25x16x3"},
        {"Ishaped", "10", 1, 5, "11.261", "GB 706-88"},
        {"Ishaped", "20a", 1, 5, "27.929", "GB 706-88"},
        {"groove", "10", 1, 5, "10.007", "GB 707-88"},
        {"groove", "5", 1, 5, "5.438", "GB 707-88"},
        {"LightIshaped", "10", 1, 5, "9.46", "light series"},
        {"NoSewType", "57×3.5", 1, 2, "4.62", "3.1416 x 7.85 t (D-t) / 1000"},
        {"NoSewType", "108×4", 1, 2, "10.26", "3.1416 x 7.85 t (D-t) / 1000"},
        {"ColdSewType", "25×2.5", 1, 2, "1.39", "3.1416 x 7.85 t (D-t) / 1000"},
        {"ColdSewType", "6×0.25", 1, 2, "0.0355", "three significant figures, not 0.04"},
        {"ColdSewType", "6×1", 1, 2, "0.123", "three significant figures"},
        {"NicetyNoSew", "4×0.5", 1, 2, "0.0432", "three significant figures"},
        {"BoilerNoSew", "57×3.5", 1, 2, "4.62", "3.1416 x 7.85 t (D-t) / 1000"},
        {"SeelTube", "15", 1, 2, "21.3", "GB/T 3091-2015 DN15 OD"},
        {"SeelTube", "15", 1, 4, "1.28", "GB/T 3091-2015 DN15 ordinary 2.8"},
        {"SeelTube", "50", 1, 6, "6.19", "GB/T 3091-2015 DN50 thickened 4.5"},
        {"SeelTube", "80", 1, 4, "8.38", "GB/T 3091-2015 DN80 ordinary 4.0"},
        {"SeelTube", "150", 1, 6, "24.02", "GB/T 3091-2015 DN150 thickened 6.0"},
        {"ScrewTube", "219", 1, 3, "31.52", "219 x 6"},
        {"steelboard_HW", "2.5", 1, 3, "21.6", "GB/T 3277 rhombic"},
        {"steelboard_HW", "8.0", 1, 5, "64.1", "GB/T 3277 lentil"},
    };
    for (const Spot &s : spots)
        EXPECT_EQ(weightOf(QString::fromLatin1(s.table), QString::fromUtf8(s.size), s.sizeField, s.weightField),
                  QString::fromLatin1(s.weight))
            << s.table << " " << s.size << " (" << s.why << ")";
}

TEST_F(HandbookContent, RectangleWeightIsABTimesDensityWithThreeDecimals)
{
    table.open(QStringLiteral("Rectangle"));
    int rows = 0;
    for (table.next(); !table.eof(); table.next(), ++rows) {
        // The sizes are whole millimetres: a*b*7.85/1000 in thousandths is a*b*785/100, rounded half up.
        const qint64 a = table.fieldText(1).toLongLong();
        const qint64 b = table.fieldText(2).toLongLong();
        const qint64 thousandths = (a * b * 785 + 50) / 100;
        EXPECT_EQ(table.fieldText(QStringLiteral("N3")),
                  QStringLiteral("%1.%2").arg(thousandths / 1000).arg(thousandths % 1000, 3, 10, QLatin1Char('0')))
            << a << "x" << b;
    }
    EXPECT_GT(rows, 100);
}

// Number of significant figures of a shown decimal ("0.0355" has 3, "10.26" has 4).
int significantFigures(const QString &shown)
{
    QString digits = shown;
    digits.remove(QLatin1Char('.'));
    while (digits.startsWith(QLatin1Char('0')))
        digits.remove(0, 1);
    return static_cast<int>(digits.size());
}

TEST_F(HandbookContent, SeamlessSizesAndWeights)
{
    // The thickest wall each standard lists for a diameter: a third of it and a little more in
    // GB/T 17395 (6x2, 10x3.5), a quarter for the precision tubes of GB/T 3639.
    const std::pair<const char *, double> tables[] = {{"NoSewType", 0.35},    {"ColdSewType", 0.35},
                                                      {"NicetyNoSew", 0.25},  {"BoilerNoSew", 0.35},
                                                      {"stainlessHot", 0.35}, {"stainlessCold", 0.35}};
    for (const auto &[name, ratio] : tables) {
        table.open(QString::fromLatin1(name));
        int rows = 0;
        for (table.next(); !table.eof(); table.next(), ++rows) {
            const QStringList size = table.fieldText(1).split(QChar(0x00D7));
            ASSERT_EQ(size.size(), 2) << name << " " << table.fieldText(1).toStdString();
            const double d = size[0].toDouble();
            const double t = size[1].toDouble();
            EXPECT_LE(t, ratio * d + 1e-9) << name << " " << d << "x" << t;
            const QString shown = table.fieldText(2);
            const double exact = 3.1416 * 7.85 * t * (d - t) / 1000;
            // Hundredths, or three significant figures where hundredths would give fewer.
            const int decimals = static_cast<int>(shown.size() - shown.indexOf(QLatin1Char('.')) - 1);
            EXPECT_EQ(decimals, exact < 1 ? 2 - static_cast<int>(std::floor(std::log10(exact))) : 2)
                << name << " " << d << "x" << t << " " << shown.toStdString();
            EXPECT_GE(significantFigures(shown), 3) << name << " " << shown.toStdString();
            EXPECT_NEAR(shown.toDouble(), exact, 0.5 * std::pow(10.0, -decimals) + 1e-9) << name << " " << d << "x" << t;
        }
        EXPECT_GT(rows, 100) << name;
    }
    EXPECT_EQ(weightOf(QStringLiteral("NicetyNoSew"), QStringLiteral("4×1.8"), 1, 2),
              QStringLiteral("<no 4×1.8 in NicetyNoSew>"));
}

// Every text of a workbook page that names a standard, quota or rule names its edition: a code
// such as "GB 50243" or "GB/T 12772" is always followed by its year.
TEST(WorkbookTexts, EveryStandardNamedWithItsEdition)
{
    const QRegularExpression code(QStringLiteral("(GB/T|GB|CJJ/T|CJJ|CJ/T|JGJ|SY/T|YB|GYDGZ|GYD)\\s*[0-9][0-9.]*(-[0-9]{2,4})?"));
    QDirIterator files(QStringLiteral(MHBK_HANDBOOK_DIR "/workbooks"), {QStringLiteral("p*.json")});
    int pages = 0;
    int named = 0;
    while (files.hasNext()) {
        QFile file(files.next());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
        const QString text = QString::fromUtf8(file.readAll());
        ++pages;
        for (auto match = code.globalMatch(text); match.hasNext();) {
            const QRegularExpressionMatch m = match.next();
            ++named;
            EXPECT_FALSE(m.captured(2).isEmpty()) << file.fileName().toStdString() << ": " << m.captured(0).toStdString();
        }
    }
    EXPECT_EQ(pages, 23);
    EXPECT_GT(named, 20);
}

TEST_F(HandbookContent, CheckeredPlateThicknessesFromTwoAndAHalfToEight)
{
    table.open(QStringLiteral("steelboard_HW"));
    QStringList keys;
    for (table.next(); !table.eof(); table.next())
        keys << table.fieldText(QStringLiteral("jbhd"));
    EXPECT_EQ(keys, (QStringList{"2.5", "3.0", "3.5", "4.0", "4.5", "5.0", "5.5", "6.0", "7.0", "8.0"}));
}

TEST_F(HandbookContent, EveryStoredTextEncodesToGbk)
{
    QSqlDatabase &connection = db.connection();
    const QStringList tables = connection.tables();
    ASSERT_GE(tables.size(), 26);
    int texts = 0;
    for (const QString &name : tables) {
        QSqlQuery q(connection);
        ASSERT_TRUE(q.exec(QStringLiteral("SELECT * FROM \"%1\"").arg(name)));
        const int columns = q.record().count();
        while (q.next())
            for (int c = 0; c < columns; ++c) {
                const QVariant value = q.value(c);
                if (value.typeId() != QMetaType::QString)
                    continue;
                ++texts;
                EXPECT_TRUE(encodesToGbk(value.toString())) << name.toStdString() << ": " << value.toString().toStdString();
            }
    }
    EXPECT_GT(texts, 10000);
    EXPECT_FALSE(encodesToGbk(QStringLiteral("kg/m\u00B2")));
    EXPECT_TRUE(encodesToGbk(QStringLiteral("外径×壁厚(mm)")));
}

// How fast that fill is, bench/tablefill measures against a plain table widget.
TEST_F(HandbookContent, FirstFillOfTheLargestGrid)
{
    QString largest;
    int most = 0;
    for (const Layout &layout : layouts()) {
        table.open(QString::fromLatin1(layout.table));
        if (layout.caption && table.recordCount() > most) {
            most = table.recordCount();
            largest = QString::fromLatin1(layout.table);
        }
    }
    table.close();
    const int fields = static_cast<int>(std::find_if(layouts().begin(), layouts().end(), [&](const Layout &l) {
                                            return largest == QLatin1String(l.table);
                                        })->fields.size()) - 1;
    StringGrid grid;
    prepareBlockGrid(grid, fields);
    loadTableBlocks(table, largest, grid, fields);
    EXPECT_EQ(grid.colCount(), ((most - 1 + 10) / 11) * fields);
}

} // namespace
} // namespace mhbk

namespace mhbk {
namespace {

// The program's own captions and messages: every non-ASCII string literal in the sources.
TEST(ProgramTexts, EveryCaptionLiteralEncodesToGbk)
{
    const QRegularExpression literal(QStringLiteral("\"((?:[^\"\\\\\\n]|\\\\.)*)\""));
    int checked = 0;
    QDirIterator files(QStringLiteral(MHBK_SOURCE_DIR "/src"), {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                       QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        for (auto it = literal.globalMatch(text); it.hasNext();) {
            const QString value = it.next().captured(1);
            if (std::all_of(value.begin(), value.end(), [](QChar c) { return c.unicode() < 0x80; }))
                continue;
            ++checked;
            EXPECT_TRUE(encodesToGbk(value)) << file.fileName().toStdString() << ": " << value.toStdString();
        }
    }
    EXPECT_GT(checked, 20);
}

} // namespace
} // namespace mhbk
