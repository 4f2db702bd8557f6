#include "pyreader.h"
#include "samplebook.h"

#include "common/errors.h"
#include "workbooks/engine/workbook.h"
#include "workbooks/export/xlsxexport.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

using namespace mhbk;
using namespace mhbk::xlsout;
using mhbk::test::cellOf;
using mhbk::test::sheetOf;
using mhbk::test::styleOf;

namespace {

class XlsxRoundTrip : public ::testing::Test {
protected:
    QTemporaryDir dir;
    test::FormulaParses parses_;
    QString path(const QString &name) const { return dir.filePath(name); }

    std::optional<QJsonObject> read(const QString &file)
    {
        return test::runPythonReader(QStringLiteral("read_xlsx.py"), QStringLiteral("openpyxl"), {file});
    }
};

TEST_F(XlsxRoundTrip, ValuesAndFormulasComeBackAsWritten)
{
    writeXlsxFile(test::sampleBook(parses_), path("sample.xlsx"));
    READ_OR_SKIP(s, read(path("sample.xlsx")), "python3-openpyxl");
    EXPECT_EQ(sheetOf(s, 0)["name"].toString(), QStringLiteral("测算表"));
    EXPECT_EQ(cellOf(s, 0, 0, 0)["text"].toString(), QStringLiteral("焊接钢管价格换算"));
    EXPECT_EQ(cellOf(s, 0, 1, 1)["number"].toDouble(), 1234.5678);
    EXPECT_EQ(cellOf(s, 0, 1, 3)["formula"].toString(), QStringLiteral("B2*2"));
    EXPECT_EQ(cellOf(s, 0, 1, 3)["number"].toDouble(), 2469.1356); // cached result
    EXPECT_EQ(cellOf(s, 0, 2, 3)["formula"].toString(), QStringLiteral("A2&\"元\""));
    EXPECT_EQ(cellOf(s, 0, 2, 3)["text"].toString(), QStringLiteral("单价元"));
    EXPECT_EQ(cellOf(s, 0, 2, 0)["boolean"].toBool(), true);
    EXPECT_EQ(cellOf(s, 0, 3, 3)["text"].toString(), QStringLiteral("Ω é 𠀀 输入"));
    EXPECT_EQ(cellOf(s, 1, 0, 0)["number"].toDouble(), -0.125);
}

TEST_F(XlsxRoundTrip, AnEmptyMergedRangeStaysEmpty)
{
    Book book;
    Sheet sheet;
    sheet.merges = {{2, 3, 1, 2}};
    sheet.cells = {{0, 0, Value::ofNumber(1), {}, 0}};
    book.sheets = {sheet};
    writeXlsxFile(book, path("merge.xlsx"));
    READ_OR_SKIP(s, read(path("merge.xlsx")), "python3-openpyxl");
    EXPECT_TRUE(cellOf(s, 0, 2, 1)["empty"].toBool()) << cellOf(s, 0, 2, 1)["text"].toString().toStdString();
}

TEST_F(XlsxRoundTrip, LayoutAndStylesComeBackAsWritten)
{
    writeXlsxFile(test::sampleBook(parses_), path("sample.xlsx"));
    READ_OR_SKIP(s, read(path("sample.xlsx")), "python3-openpyxl");
    const QJsonObject sheet = sheetOf(s, 0);
    // A list holding one merge: the inner array is wrapped in a value, because a braced
    // array of one array reads as a copy of it with clang and as a nested list with GCC.
    EXPECT_EQ(sheet["merges"].toArray(), QJsonArray{QJsonValue(QJsonArray{0, 1, 0, 3})});
    const QJsonObject cols = sheet["columns"].toObject();
    // The file stores the width the column has on screen, cell padding included.
    auto stored = [](double chars) { return mhbk::wb::columnWidthPixels(chars) / 7.0; };
    EXPECT_NEAR(cols["0"].toObject()["width"].toDouble(), stored(12.5), 1.0 / 256);
    EXPECT_NEAR(cols["1"].toObject()["width"].toDouble(), stored(20.0), 1.0 / 256);
    EXPECT_TRUE(cols["2"].toObject()["hidden"].toBool());
    EXPECT_FALSE(cols["3"].toObject()["hidden"].toBool());
    EXPECT_EQ(sheet["rows"].toObject()["0"].toObject()["height"].toDouble(), 30.0);
    EXPECT_TRUE(sheet["rows"].toObject()["5"].toObject()["hidden"].toBool());
    EXPECT_TRUE(sheet["protected"].toBool());

    EXPECT_TRUE(styleOf(s, 0, 0, 0)["bold"].toBool());
    EXPECT_EQ(styleOf(s, 0, 0, 0)["size"].toDouble(), 14.0);
    EXPECT_EQ(styleOf(s, 0, 1, 1)["borders"].toArray(),
              QJsonArray({QStringLiteral("thin"), QStringLiteral("medium"), QStringLiteral("thick"), QStringLiteral("double")}));
    EXPECT_EQ(styleOf(s, 0, 1, 1)["format"].toString(), QStringLiteral("#,##0.00"));
    EXPECT_EQ(styleOf(s, 0, 1, 3)["fill"].toString(), QStringLiteral("FFFF00"));
    EXPECT_EQ(styleOf(s, 0, 1, 3)["format"].toString(), QStringLiteral("0.0000"));
    EXPECT_TRUE(styleOf(s, 0, 1, 3)["locked"].toBool());
    EXPECT_FALSE(styleOf(s, 0, 3, 3)["locked"].toBool());
}

// A failure inside the library (here an invalid sheet name) must leave the user's old file as
// it was and no temporary file behind.
TEST_F(XlsxRoundTrip, FailedWriteLeavesTheOldFile)
{
    QFile old(path("old.xlsx"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("previous");
    old.close();
    Book book = test::sampleBook(parses_);
    book.sheets[1].name = QStringLiteral("a/b");
    try {
        writeXlsxFile(book, path("old.xlsx"));
        FAIL() << "an invalid sheet name was accepted";
    } catch (const AppError &e) {
        EXPECT_TRUE(e.message().contains(QDir::toNativeSeparators(path("old.xlsx")))) << e.what();
    }
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("previous"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(XlsxRoundTrip, ReplacesAnExistingFile)
{
    QFile old(path("out.xlsx"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("previous");
    old.close();
    writeXlsxFile(test::sampleBook(parses_), path("out.xlsx"));
    READ_OR_SKIP(s, read(path("out.xlsx")), "python3-openpyxl");
    EXPECT_EQ(cellOf(s, 0, 1, 1)["number"].toDouble(), 1234.5678);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

} // namespace
