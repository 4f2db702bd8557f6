// The page setup reaches both file formats: read back from our .xlsx by openpyxl, and from our
// .xls by LibreOffice (converted to .xlsx, then read by openpyxl) where it is installed.
#include "pyreader.h"

#include "support/libreoffice.h"
#include "support/missingtool.h"
#include "workbooks/engine/workbook.h"
#include "workbooks/export/workbookexport.h"

#include <QJsonArray>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace mhbk;

namespace {

// Two sheets: a long landscape table with headings on row 2 and 300 rows, and a short one
// without print settings beyond the defaults.
wb::Workbook printedBook()
{
    wb::Workbook book;
    const int table = book.addSheet(QStringLiteral("清单"));
    book.setInput(table, 0, 0, QStringLiteral("材料清单"));
    book.setInput(table, 1, 0, QStringLiteral("名称"));
    book.setInput(table, 1, 1, QStringLiteral("数量"));
    for (int r = 2; r < 300; ++r) {
        book.setInput(table, r, 0, QStringLiteral("钢管%1").arg(r));
        book.setInput(table, r, 1, QString::number(r));
    }
    wb::PageSetup &setup = book.sheet(table).pageSetup();
    setup.landscape = true;
    setup.marginLeft = setup.marginRight = 0.5;
    setup.marginTop = setup.marginBottom = 0.6;
    setup.centerHorizontally = true;
    setup.titleFirstRow = setup.titleLastRow = 1;
    setup.footer = QStringLiteral("第 &P 页 共 &N 页");
    setup.keepWithNext = {0, 1};
    const int other = book.addSheet(QStringLiteral("其他"));
    book.setInput(other, 0, 0, QStringLiteral("1"));
    book.sheet(other).pageSetup().fitToWidth = false;
    return book;
}

QString convertToXlsx(const QString &soffice, const QTemporaryDir &dir, const QString &input)
{
    const test::LibreOfficeRun lo = test::convertWithLibreOffice(
        soffice, {dir.filePath(QStringLiteral("profile")), QStringLiteral("xlsx"), dir.filePath(QStringLiteral("lo"))}, {input});
    if (!lo.succeeded())
        ADD_FAILURE() << "LibreOffice failed: " << lo.errors.toStdString();
    return dir.filePath(QStringLiteral("lo/") + QFileInfo(input).completeBaseName() + QStringLiteral(".xlsx"));
}

void expectPageSetup(const QJsonObject &read, const std::vector<int> &breaks, const char *source)
{
    const QJsonArray sheets = read[QStringLiteral("sheets")].toArray();
    ASSERT_EQ(sheets.size(), 2) << source;
    const QJsonObject table = sheets[0].toObject();
    EXPECT_EQ(table[QStringLiteral("paper")].toInt(), 9) << source; // A4
    EXPECT_TRUE(table[QStringLiteral("landscape")].toBool()) << source;
    EXPECT_TRUE(table[QStringLiteral("fitToPage")].toBool()) << source;
    EXPECT_EQ(table[QStringLiteral("fitToWidth")].toInt(), 1) << source;
    EXPECT_EQ(table[QStringLiteral("fitToHeight")].toInt(), 0) << source;
    const QJsonArray margins = table[QStringLiteral("margins")].toArray();
    const double expected[] = {0.5, 0.5, 0.6, 0.6};
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(margins[i].toDouble(), expected[i], 1e-6) << source << " margin " << i;
    EXPECT_TRUE(table[QStringLiteral("centered")].toBool()) << source;
    EXPECT_EQ(table[QStringLiteral("titles")].toString(), QStringLiteral("$2:$2")) << source;
    EXPECT_EQ(table[QStringLiteral("footer")].toString(), QStringLiteral("第 &P 页 共 &N 页")) << source;
    std::vector<int> read1;
    for (const QJsonValue &b : table[QStringLiteral("breaks")].toArray())
        read1.push_back(b.toInt());
    EXPECT_EQ(read1, breaks) << source;
    const QJsonObject other = sheets[1].toObject();
    EXPECT_FALSE(other[QStringLiteral("fitToPage")].toBool()) << source;
    EXPECT_EQ(other[QStringLiteral("titles")].toString(), QString()) << source;
    EXPECT_TRUE(other[QStringLiteral("breaks")].toArray().isEmpty()) << source;
}

TEST(PageSetupExport, BothFormatsCarryThePageSetupAndThePlansBreaks)
{
    const wb::Workbook book = printedBook();
    const xlsout::Book description = xlsout::describeWorkbook(book);
    const std::vector<int> &breaks = description.sheets[0].page.rowBreaks;
    ASSERT_GE(breaks.size(), 3u);
    QTemporaryDir dir;
    const QString xlsx = dir.filePath(QStringLiteral("setup.xlsx"));
    xlsout::exportWorkbook(book, xlsx, xlsout::ExcelFormat::Xlsx);
    READ_OR_SKIP(read, test::runPythonReader(QStringLiteral("read_pagesetup.py"), QStringLiteral("openpyxl"), {xlsx}),
                 "python3-openpyxl");
    expectPageSetup(read, breaks, ".xlsx");

    MHBK_SOFFICE_OR_SKIP(soffice);
    const QString xls = dir.filePath(QStringLiteral("fromxls.xls"));
    xlsout::exportWorkbook(book, xls, xlsout::ExcelFormat::Xls);
    READ_OR_SKIP(readXls, test::runPythonReader(QStringLiteral("read_pagesetup.py"), QStringLiteral("openpyxl"),
                                                {convertToXlsx(soffice, dir, xls)}),
                 "python3-openpyxl");
    expectPageSetup(readXls, breaks, ".xls through LibreOffice");
}

} // namespace
