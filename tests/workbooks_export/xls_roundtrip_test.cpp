#include "pyreader.h"
#include "samplebook.h"

#include "common/errors.h"
#include "workbooks/export/cfbwriter.h"
#include "workbooks/engine/workbook.h"
#include "workbooks/export/xlswriter.h"
#include "support/missingtool.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace mhbk;
using namespace mhbk::xlsout;
using mhbk::test::cellOf;
using mhbk::test::sheetOf;
using mhbk::test::styleOf;

namespace {

std::optional<QJsonObject> readXls(const QString &path)
{
    return test::runPythonReader(QStringLiteral("read_xls.py"), QStringLiteral("xlrd"), {path});
}

class XlsRoundTrip : public ::testing::Test {
protected:
    QTemporaryDir dir;
    test::FormulaParses parses_;
    QString path(const QString &name) const { return dir.filePath(name); }
};

TEST_F(XlsRoundTrip, ValuesComeBackAsWritten)
{
    writeXlsFile(test::sampleBook(parses_), path("sample.xls"));
    READ_OR_SKIP(s, readXls(path("sample.xls")), "python3-xlrd");
    EXPECT_EQ(sheetOf(s, 0)["name"].toString(), QStringLiteral("测算表"));
    EXPECT_EQ(sheetOf(s, 1)["name"].toString(), QStringLiteral("Sheet2"));
    EXPECT_EQ(cellOf(s, 0, 0, 0)["text"].toString(), QStringLiteral("焊接钢管价格换算"));
    EXPECT_EQ(cellOf(s, 0, 1, 1)["number"].toDouble(), 1234.5678);
    EXPECT_EQ(cellOf(s, 0, 1, 3)["number"].toDouble(), 2469.1356); // the formula's result
    EXPECT_EQ(cellOf(s, 0, 2, 0)["boolean"].toBool(), true);
    EXPECT_EQ(cellOf(s, 0, 2, 1)["error"].toString(), QStringLiteral("#DIV/0!"));
    EXPECT_EQ(cellOf(s, 0, 2, 3)["text"].toString(), QStringLiteral("单价元"));
    EXPECT_EQ(cellOf(s, 0, 3, 3)["text"].toString(), QStringLiteral("Ω é 𠀀 输入"));
    EXPECT_EQ(cellOf(s, 0, 4, 0)["error"].toString(), QStringLiteral("#N/A"));
    EXPECT_EQ(cellOf(s, 1, 0, 0)["number"].toDouble(), -0.125);
}

TEST_F(XlsRoundTrip, LayoutComesBackAsWritten)
{
    writeXlsFile(test::sampleBook(parses_), path("sample.xls"));
    READ_OR_SKIP(s, readXls(path("sample.xls")), "python3-xlrd");
    const QJsonObject sheet = sheetOf(s, 0);
    // A list holding one merge: the inner array is wrapped in a value, because a braced
    // array of one array reads as a copy of it with clang and as a nested list with GCC.
    EXPECT_EQ(sheet["merges"].toArray(), QJsonArray{QJsonValue(QJsonArray{0, 1, 0, 3})});
    const QJsonObject cols = sheet["columns"].toObject();
    // The file stores the width the column has on screen, cell padding included.
    auto stored = [](double chars) { return mhbk::wb::columnWidthPixels(chars) / 7.0; };
    EXPECT_NEAR(cols["0"].toObject()["width"].toDouble(), stored(12.5), 1.0 / 256);
    EXPECT_NEAR(cols["1"].toObject()["width"].toDouble(), stored(20.0), 1.0 / 256);
    EXPECT_NEAR(cols["3"].toObject()["width"].toDouble(), stored(15.0), 1.0 / 256);
    EXPECT_FALSE(cols["1"].toObject()["hidden"].toBool());
    EXPECT_TRUE(cols["2"].toObject()["hidden"].toBool());
    const QJsonObject rows = sheet["rows"].toObject();
    EXPECT_EQ(rows["0"].toObject()["height"].toDouble(), 30.0);
    EXPECT_TRUE(rows["5"].toObject()["hidden"].toBool());
    EXPECT_TRUE(sheet["protected"].toBool());
    EXPECT_FALSE(sheetOf(s, 1)["protected"].toBool());
}

TEST_F(XlsRoundTrip, StylesComeBackAsWritten)
{
    writeXlsFile(test::sampleBook(parses_), path("sample.xls"));
    READ_OR_SKIP(s, readXls(path("sample.xls")), "python3-xlrd");
    const QJsonObject title = styleOf(s, 0, 0, 0);
    EXPECT_TRUE(title["bold"].toBool());
    EXPECT_EQ(title["size"].toDouble(), 14.0);
    EXPECT_EQ(title["font"].toString(), QStringLiteral("宋体"));
    EXPECT_EQ(title["halign"].toInt(), 2);
    EXPECT_FALSE(styleOf(s, 0, 1, 0)["bold"].toBool());

    const QJsonObject money = styleOf(s, 0, 1, 1);
    EXPECT_EQ(money["borders"].toArray(), QJsonArray({1, 2, 5, 6})); // thin, medium, thick, double
    EXPECT_EQ(money["format"].toString(), QStringLiteral("#,##0.00"));

    const QJsonObject result = styleOf(s, 0, 1, 3);
    EXPECT_EQ(result["fill"].toString(), QStringLiteral("FFFF00"));
    EXPECT_EQ(result["format"].toString(), QStringLiteral("0.0000")); // a custom format
    EXPECT_TRUE(result["italic"].toBool());
    EXPECT_TRUE(result["locked"].toBool());

    const QJsonObject input = styleOf(s, 0, 3, 3);
    EXPECT_FALSE(input["locked"].toBool());
    EXPECT_TRUE(input["wrap"].toBool());
}

// Thousands of strings overflow the first SST record; some are split across CONTINUE
// records in the middle, including one longer than a whole record.
TEST_F(XlsRoundTrip, SharedStringsSpanContinueRecords)
{
    Book book;
    Sheet sheet;
    std::vector<QString> texts;
    for (int i = 0; i < 3000; ++i)
        texts.push_back(QStringLiteral("管%1").arg(i).repeated(1 + i % 7));
    texts.push_back(QString(9000, QChar(0x94A2)));
    texts.push_back(QString());
    for (std::size_t i = 0; i < texts.size(); ++i)
        sheet.cells.push_back({int(i % 5000), int(i / 5000), Value::ofText(texts[i]), {}, 0});
    sheet.cells.push_back({1, 1, Value::ofText(texts[7]), {}, 0}); // a string used twice
    book.sheets = {sheet};
    writeXlsFile(book, path("strings.xls"));
    READ_OR_SKIP(s, readXls(path("strings.xls")), "python3-xlrd");
    for (std::size_t i = 0; i < texts.size() - 1; ++i)
        ASSERT_EQ(cellOf(s, 0, int(i % 5000), int(i / 5000))["text"].toString(), texts[i]) << i;
    EXPECT_EQ(cellOf(s, 0, 1, 1)["text"].toString(), texts[7]);
}

// Past 109 FAT sectors (about 7 MB) the compound file needs DIFAT sectors.
TEST_F(XlsRoundTrip, LargeStreamsSurviveTheCompoundFile)
{
    for (qsizetype size : {qsizetype(100), qsizetype(4096 * 3 + 17), qsizetype(9'000'000)}) {
        QByteArray stream(size, Qt::Uninitialized);
        for (qsizetype i = 0; i < size; ++i)
            stream[i] = char(QRandomGenerator::global()->bounded(256));
        QFile f(path("raw.xls"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(compoundFileWithWorkbook(stream));
        f.close();
        const auto read = test::runPythonReader(QStringLiteral("read_xls.py"), QStringLiteral("xlrd"),
                                                {QStringLiteral("--stream"), path("raw.xls")});
        if (!read) {
            if (HasFailure())
                return;
            MHBK_SKIP_WITHOUT("python3-xlrd");
        }
        const QByteArray padded = size < 4096 ? stream + QByteArray(4096 - size, '\0') : stream;
        EXPECT_EQ((*read)["size"].toInt(), padded.size());
        EXPECT_EQ((*read)["sha1"].toString(),
                  QString::fromLatin1(QCryptographicHash::hash(padded, QCryptographicHash::Sha1).toHex()));
    }
}

TEST_F(XlsRoundTrip, EmptyBookStillOpens)
{
    writeXlsFile(Book{}, path("empty.xls"));
    READ_OR_SKIP(s, readXls(path("empty.xls")), "python3-xlrd");
    EXPECT_EQ(s["sheets"].toArray().size(), 1);
}

TEST_F(XlsRoundTrip, BeyondTheFormatsLimitsIsAnErrorAndLeavesTheOldFile)
{
    QFile old(path("old.xls"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("previous");
    old.close();
    for (auto [row, col] : {std::pair(kXlsMaxRows, 0), std::pair(0, kXlsMaxColumns)}) {
        Book book;
        Sheet sheet;
        sheet.cells = {{row, col, Value::ofNumber(1), {}, 0}};
        book.sheets = {sheet};
        try {
            writeXlsFile(book, path("old.xls"));
            FAIL() << "no error for a cell at " << row << "," << col;
        } catch (const AppError &e) {
            EXPECT_TRUE(e.message().contains(QStringLiteral("65536"))) << e.what();
        }
    }
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("previous"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

// A formula the engine could not parse (kept as typed, without a parse) is written with its
// value, with formulas on or off: one mistyped cell never stops the export of the sheet.
TEST_F(XlsRoundTrip, AFormulaWithoutAParseKeepsItsValue)
{
    Book book = test::sampleBook(parses_);
    Cell &formula = book.sheets[0].cells[4];
    ASSERT_EQ(formula.formula, QStringLiteral("=B2*2"));
    formula.parsed = nullptr;
    for (const bool withFormulas : {true, false}) {
        ASSERT_NO_THROW(writeXlsFile(book, path("kept.xls"), XlsOptions{withFormulas, true})) << withFormulas;
        READ_OR_SKIP(s, readXls(path("kept.xls")), "python3-xlrd");
        EXPECT_EQ(cellOf(s, 0, formula.row, formula.col)["number"].toDouble(), 2469.1356) << withFormulas;
    }
}

TEST_F(XlsRoundTrip, UnwritableFolderNamesThePath)
{
    const QString bad = path("no-such-folder/out.xls");
    try {
        writeXlsFile(test::sampleBook(parses_), bad);
        FAIL() << "wrote into a folder that does not exist";
    } catch (const AppError &e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("无法写入文件"))) << e.what();
        EXPECT_TRUE(e.message().contains(QDir::toNativeSeparators(bad))) << e.what();
    }
}

} // namespace
