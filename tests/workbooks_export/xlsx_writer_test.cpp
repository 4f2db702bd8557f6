// The .xlsx writer's own pieces: XML escaping, number text, cell references, sheet names, and
// the package as an independent zip reader (python3's zipfile) and XML parser see it.
#include "pyreader.h"
#include "samplebook.h"

#include "common/errors.h"
#include "workbooks/export/xlsxexport.h"
#include "workbooks/export/xlsxxml.h"

#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>
#include <bit>
#include <charconv>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace mhbk;
using namespace mhbk::xlsout;

namespace {

TEST(XlsxXml, TextIsEscaped)
{
    const struct {
        QString text;
        QByteArray element, attribute;
    } cases[] = {
        {QStringLiteral("plain"), "plain", "plain"},
        {QStringLiteral("a<b>&\"c'"), "a&lt;b&gt;&amp;\"c'", "a&lt;b&gt;&amp;&quot;c'"},
        {QStringLiteral("x\ty\nz"), "x\ty\nz", "x&#9;y&#10;z"},
        {QStringLiteral("\r\x01\x1F"), "_x000D__x0001__x001F_", "_x000D__x0001__x001F_"},
        {QString::fromUtf16(u"a\0b", 3), "a_x0000_b", "a_x0000_b"},
        {QString(QChar(0xFFFE)) + QChar(0xFFFF), "_xFFFE__xFFFF_", "_xFFFE__xFFFF_"},
        // A text that looks like an escape keeps its underscore.
        {QStringLiteral("_x0041_ _x00g1_ _x41_ __x0041__"), "_x005F_x0041_ _x00g1_ _x41_ __x005F_x0041__",
         "_x005F_x0041_ _x00g1_ _x41_ __x005F_x0041__"},
        {QStringLiteral("宋体 Ω é 𠀀"), "宋体 Ω é 𠀀", "宋体 Ω é 𠀀"},
        {QString(QChar(0xD800)) + QStringLiteral("x") + QChar(0xDC00), "?x?", "?x?"}, // lone surrogates
        {QString(), "", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(XmlBuffer().text(c.text).bytes(), c.element);
        EXPECT_EQ(XmlBuffer().attr("v", c.text).bytes(), " v=\"" + c.attribute + '"');
    }
}

TEST(XlsxXml, NumbersReadBackExactly)
{
    const struct {
        double value;
        const char *text; // nullptr: only the round trip is checked
    } cases[] = {
        {0.0, "0"}, {-0.0, "-0"}, {0.1, "0.1"}, {2469.1356, "2469.1356"}, {-0.125, "-0.125"}, {12345.0, "12345"},
        {1e21, "1e+21"}, {1e-300, "1e-300"}, {5e-7, "5e-07"}, {1.0 / 3, "0.3333333333333333"},
        {0.1 + 0.2, "0.30000000000000004"}, {123456789012345678.0, nullptr},
        {std::numeric_limits<double>::max(), nullptr}, {std::numeric_limits<double>::denorm_min(), nullptr},
        {std::numeric_limits<double>::min(), nullptr}, {-9007199254740993.0, nullptr},
    };
    for (const auto &c : cases) {
        const QByteArray text = XmlBuffer().number(c.value).bytes();
        SCOPED_TRACE(text.toStdString());
        if (c.text) {
            EXPECT_EQ(text, QByteArray(c.text));
        }
        double back = 0;
        const auto result = std::from_chars(text.constData(), text.constData() + text.size(), back);
        EXPECT_EQ(result.ptr, text.constData() + text.size());
        EXPECT_EQ(std::bit_cast<std::uint64_t>(back), std::bit_cast<std::uint64_t>(c.value));
    }
}

TEST(XlsxXml, CellReferences)
{
    const struct {
        int row, col;
        const char *ref;
    } cases[] = {{0, 0, "A1"},      {0, 25, "Z1"},       {0, 26, "AA1"},        {2, 701, "ZZ3"},
                 {0, 702, "AAA1"}, {9, 27, "AB10"},     {1048575, 16383, "XFD1048576"}};
    for (const auto &c : cases)
        EXPECT_EQ(XmlBuffer().cellRef(c.row, c.col).bytes(), QByteArray(c.ref)) << c.ref;
}

TEST(XlsxXml, LeadingAndTrailingSpaceIsPreserved)
{
    const struct {
        const char *text;
        bool preserve;
    } cases[] = {{"", false}, {"a b", false}, {" a", true}, {"a ", true}, {"\ta", true}, {"a\n", true}, {"\x01" "a\x1F", false}};
    for (const auto &c : cases)
        EXPECT_EQ(needsSpacePreserved(QString::fromLatin1(c.text)), c.preserve) << c.text;
}

// Excel's rules for sheet names; a refused name leaves no file.
TEST(XlsxWriter, SheetNames)
{
    const struct {
        QStringList names;
        bool accepted;
    } cases[] = {
        {{QStringLiteral("测算表")}, true},
        {{QString(31, QChar(0x4E00))}, true},
        {{QStringLiteral("𠀀").repeated(31)}, true}, // 31 characters in 62 UTF-16 units
        {{QString(32, u'a')}, false},
        {{QString()}, false},
        {{QStringLiteral("a/b")}, false}, {{QStringLiteral("[x]")}, false}, {{QStringLiteral("a:b")}, false},
        {{QStringLiteral("a*b")}, false}, {{QStringLiteral("a?b")}, false}, {{QStringLiteral("a\\b")}, false},
        {{QStringLiteral("'x")}, false}, {{QStringLiteral("x'")}, false}, {{QStringLiteral("x'y")}, true},
        {{QStringLiteral("Dup"), QStringLiteral("dup")}, false},
        {{QStringLiteral("表一"), QStringLiteral("表二")}, true},
    };
    QTemporaryDir dir;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.names.join(u',').toStdString());
        Book book;
        for (const QString &name : c.names) {
            book.sheets.emplace_back();
            book.sheets.back().name = name;
        }
        const QString path = dir.filePath(QStringLiteral("names.xlsx"));
        QFile::remove(path);
        bool accepted = true;
        try {
            writeXlsxFile(book, path);
        } catch (const AppError &) {
            accepted = false;
        }
        EXPECT_EQ(accepted, c.accepted);
        EXPECT_EQ(QFile::exists(path), c.accepted);
    }
}

// What a zip reader and an XML parser make of a written package.
class XlsxPackage : public ::testing::Test {
protected:
    QTemporaryDir dir;

    std::optional<QJsonObject> write(const Book &book, const XlsxOptions &options = {})
    {
        const QString path = dir.filePath(QStringLiteral("p.xlsx"));
        writeXlsxFile(book, path, options);
        return test::runPythonReader(QStringLiteral("read_package.py"), QStringLiteral("zipfile"), {path});
    }
    static QJsonObject cells(const QJsonObject &read)
    {
        return read["sheets"].toObject()["xl/worksheets/sheet1.xml"].toObject()["cells"].toObject();
    }
};

TEST_F(XlsxPackage, TextsComeBackWhole)
{
    const QStringList texts = {QStringLiteral("a<b>&\"c'd"), QStringLiteral("  两端有空格  "), QStringLiteral("x\ny\tz\r\n"),
                               QString::fromUtf16(u"nul\0in", 6), QStringLiteral("\x01\x02\x1B\x1F"),
                               QStringLiteral("_x0041_ stays"), QStringLiteral("𠀀Ω"), QString(QChar(0xFFFE)) + QStringLiteral("end")};
    Book book;
    book.sheets.emplace_back();
    for (int i = 0; i < texts.size(); ++i)
        book.sheets[0].cells.push_back({i, 0, Value::ofText(texts[i]), {}, 0});
    // The same texts as a formula's result and inside a formula.
    book.sheets[0].cells.push_back({0, 1, Value::ofText(texts[4]), QStringLiteral("=\"") + texts[4] + u'"', 0});
    test::FormulaParses parses;
    parses.give(book);
    READ_OR_SKIP(read, write(book), "python3");
    for (const auto &[part, ok] : read["wellFormed"].toObject().toVariantMap().toStdMap())
        EXPECT_EQ(ok, QVariant(true)) << part.toStdString();
    const QJsonArray strings = read["strings"].toArray();
    ASSERT_EQ(strings.size(), texts.size());
    for (int i = 0; i < texts.size(); ++i)
        EXPECT_EQ(strings[i].toString(), texts[i]) << i;
    EXPECT_EQ(cells(read)["B1"].toObject()["v"].toString(), texts[4]);
    EXPECT_EQ(cells(read)["B1"].toObject()["f"].toString(), QStringLiteral("\"") + texts[4] + u'"');
}

TEST_F(XlsxPackage, EntriesAreSoundAndDeflated)
{
    Book book;
    book.sheets.emplace_back();
    for (int r = 0; r < 200; ++r)
        book.sheets[0].cells.push_back({r, 0, Value::ofNumber(r * 1.5), QStringLiteral("=B%1*1.5").arg(r + 1), 0});
    test::FormulaParses parses;
    parses.give(book);
    READ_OR_SKIP(read, write(book), "python3");
    EXPECT_TRUE(read["damaged"].isNull()) << read["damaged"].toString().toStdString(); // CRC-32 and sizes agree
    QStringList names;
    for (const QJsonValue &e : read["entries"].toArray()) {
        names << e["name"].toString();
        if (e["name"].toString() == QLatin1String("xl/worksheets/sheet1.xml")) {
            EXPECT_EQ(e["method"].toInt(), 8); // deflated
        }
    }
    EXPECT_EQ(names, QStringList({QStringLiteral("[Content_Types].xml"), QStringLiteral("_rels/.rels"),
                                  QStringLiteral("xl/workbook.xml"), QStringLiteral("xl/_rels/workbook.xml.rels"),
                                  QStringLiteral("xl/styles.xml"), QStringLiteral("xl/worksheets/sheet1.xml"),
                                  QStringLiteral("xl/sharedStrings.xml")}));
    EXPECT_EQ(cells(read)["A200"].toObject()["f"].toString(), QStringLiteral("B200*1.5"));
}

// Each kind of value, constant and as a formula's result, with and without cached results.
TEST_F(XlsxPackage, ValuesAndCachedResults)
{
    const double tricky = 0.1 + 0.2;
    const struct {
        Value value;
        QString formula;
        const char *type, *cached, *uncachedType; // cached nullptr: no <v>
    } cases[] = {
        {Value::ofNumber(tricky), {}, "n", "0.30000000000000004", "n"},
        {Value::ofNumber(tricky), QStringLiteral("=0.1+0.2"), "n", "0.30000000000000004", "n"},
        {Value::ofBoolean(true), QStringLiteral("=1>0"), "b", "1", "n"},
        {Value::ofBoolean(false), {}, "b", "0", "b"},
        {Value::ofText(QStringLiteral("元")), QStringLiteral("=\"元\""), "str", "元", "n"},
        {Value::ofError(ErrorCode::Div0), QStringLiteral("=1/0"), "e", "#DIV/0!", "n"},
        {Value::ofError(ErrorCode::NA), {}, "e", "#N/A", "e"}, // kept an error by its formula
        {Value::ofNumber(std::numeric_limits<double>::infinity()), {}, "e", "#NUM!", "e"},
        {Value{}, {}, "n", nullptr, "n"},
    };
    Book book;
    book.sheets.emplace_back();
    for (int i = 0; i < int(std::size(cases)); ++i)
        book.sheets[0].cells.push_back({i, 0, cases[i].value, cases[i].formula, 0});
    test::FormulaParses parses;
    parses.give(book);
    READ_OR_SKIP(cached, write(book), "python3");
    const QJsonObject withResults = cells(cached);
    READ_OR_SKIP(bare, write(book, XlsxOptions{false}), "python3");
    const QJsonObject without = cells(bare);
    for (int i = 0; i < int(std::size(cases)); ++i) {
        const auto &c = cases[i];
        SCOPED_TRACE(i);
        const QJsonObject cell = withResults[QStringLiteral("A%1").arg(i + 1)].toObject();
        EXPECT_EQ(cell["t"].toString(), QLatin1String(c.type));
        EXPECT_EQ(cell.contains("v"), c.cached != nullptr);
        if (c.cached) {
            EXPECT_EQ(cell["v"].toString(), QString::fromUtf8(c.cached));
        }
        const QJsonObject plain = without[QStringLiteral("A%1").arg(i + 1)].toObject();
        EXPECT_EQ(plain["t"].toString(), QLatin1String(c.uncachedType));
        if (!c.formula.isEmpty()) {
            EXPECT_FALSE(plain.contains("v")) << "a formula's result was cached";
        }
    }
    // The reader's double is bit for bit the one written.
    EXPECT_EQ(withResults["A1"].toObject()["bits"].toString(), QString::number(std::bit_cast<qint64>(tricky)));
}

// Rows keep the heights they have; a sheet without screen gridlines says so.
TEST_F(XlsxPackage, RowHeightsAndGridlines)
{
    const struct {
        double defaultHeight;
        std::optional<double> height;
        bool hidden;
        const char *ht; // nullptr: not written (the standard 15 points)
        bool readHidden;
    } cases[] = {
        {15, std::nullopt, false, nullptr, false}, {15, 15.0, false, nullptr, false}, {15, 20.5, false, "20.5", false},
        {14.25, std::nullopt, false, "14.25", false}, {14.25, 15.0, false, "15", false}, {14.25, 30.0, true, "30", true},
        {14.25, 0.0, false, "14.25", true}, // a row of no height is hidden
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.defaultHeight);
        Book book;
        book.sheets.emplace_back();
        Sheet &s = book.sheets[0];
        s.defaultRowHeight = c.defaultHeight;
        s.showGridlines = false;
        s.page.printGridlines = true;
        s.rows = {{2, c.height, c.hidden}};
        s.cells = {{2, 0, Value::ofNumber(1), {}, 0}};
        READ_OR_SKIP(read, write(book), "python3");
        const QJsonObject sheet = read["sheets"].toObject()["xl/worksheets/sheet1.xml"].toObject();
        const QJsonObject row = sheet["rows"].toObject()["3"].toObject();
        EXPECT_EQ(row["ht"].isNull(), c.ht == nullptr);
        if (c.ht) {
            EXPECT_EQ(row["ht"].toString(), QLatin1String(c.ht));
        }
        EXPECT_EQ(row["hidden"].toBool(), c.readHidden);
        EXPECT_FALSE(sheet["gridlines"].toBool());
    }
}

// No time stamps: the same workbook gives the same bytes.
TEST(XlsxWriter, SameBookSameBytes)
{
    QTemporaryDir dir;
    Book book;
    book.sheets.emplace_back();
    book.sheets[0].cells = {{0, 0, Value::ofText(QStringLiteral("甲")), {}, 0}, {1, 1, Value::ofNumber(2), QStringLiteral("=1+1"), 0}};
    test::FormulaParses parses;
    parses.give(book);
    QByteArray bytes[2];
    for (QByteArray &b : bytes) {
        const QString path = dir.filePath(QStringLiteral("same.xlsx"));
        writeXlsxFile(book, path);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        b = file.readAll();
    }
    EXPECT_EQ(bytes[0], bytes[1]);
    EXPECT_TRUE(bytes[0].startsWith("PK\x03\x04"));
}

} // namespace
