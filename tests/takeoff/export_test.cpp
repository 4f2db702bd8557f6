#include "takeoff/cli_list.h"
#include "support/clirun.h"
#include "takeoff/takeoffbook.h"
#include "takeoff/takeofffile.h"
#include "workbooks/engine/address.h"
#include "workbooks_export/pyreader.h"

#include <QJsonArray>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace mhbk::takeoff {
namespace {

List sampleList()
{
    return {Line{QStringLiteral("工字钢"), QStringLiteral("20a"), QStringLiteral("Q235"), 2, QStringLiteral("m"), 27.929, QString()},
            Line{QStringLiteral("圆钢"), QStringLiteral("d=10"), QString(), 6, QStringLiteral("m"), 0.617, QStringLiteral("箍筋")},
            Line{QStringLiteral("工字钢"), QStringLiteral("16"), QString(), 3, QStringLiteral("m"), 20.513, QString()},
            Line{QStringLiteral("圆钢"), QStringLiteral("d=10"), QString(), 4, QStringLiteral("m"), 0.617, QString()}};
}

// Every total the sheet shows, with the row it is on and the formula that makes it.
struct ExpectedCell {
    int row;
    int col;
    double value;
    const char *formula;
};

std::vector<ExpectedCell> expectedTotals()
{
    return {
        {2, TotalCol, 55.858, "D3*F3"},
        {5, TotalCol, 2.468, "D6*F6"},
        {8, TotalCol, 117.397, "SUMIF($I$3:$I$6,I9,$G$3:$G$6)"},
        {9, TotalCol, 6.17, "SUMIF($I$3:$I$6,I10,$G$3:$G$6)"},
        {12, TotalCol, 55.858, "SUMIF($J$3:$J$6,J13,$G$3:$G$6)"},
        {13, TotalCol, 6.17, "SUMIF($J$3:$J$6,J14,$G$3:$G$6)"},
        {14, TotalCol, 61.539, "SUMIF($J$3:$J$6,J15,$G$3:$G$6)"},
        {16, TotalCol, 123.567, "SUM($G$3:$G$6)"},
    };
}

TEST(TakeoffBook, LayoutPlacesTheTotalsBelowTheLines)
{
    const BookLayout layout = bookLayout(sampleList());
    EXPECT_EQ(layout.firstLineRow, 2);
    EXPECT_EQ(layout.lineCount, 4);
    EXPECT_EQ(layout.itemTotalsRow, 8);
    EXPECT_EQ(layout.designationTotalsRow, 12);
    EXPECT_EQ(layout.grandTotalRow, 16);
}

TEST(TakeoffBook, FormulasComputeTheTotalsAndFollowAChangedQuantity)
{
    wb::Workbook book = buildWorkbook(sampleList());
    const wb::Sheet &sheet = book.sheet(0);
    EXPECT_EQ(sheet.name(), QStringLiteral("工程量清单"));
    for (const ExpectedCell &cell : expectedTotals()) {
        SCOPED_TRACE(wb::addressText(cell.row, cell.col).toStdString());
        EXPECT_EQ(sheet.input(cell.row, cell.col), QLatin1Char('=') + QString::fromLatin1(cell.formula));
        EXPECT_NEAR(sheet.value(cell.row, cell.col).asNumber(), cell.value, 1e-9);
    }

    // A quantity changed in the sheet carries through the line, its item, its designation and the grand total.
    book.setInput(0, 3, QuantityCol, QStringLiteral("16"));
    EXPECT_NEAR(book.value(0, 3, TotalCol).asNumber(), 9.872, 1e-9);
    EXPECT_NEAR(book.value(0, 9, TotalCol).asNumber(), 12.34, 1e-9);
    EXPECT_NEAR(book.value(0, 13, TotalCol).asNumber(), 12.34, 1e-9);
    EXPECT_NEAR(book.value(0, 16, TotalCol).asNumber(), 129.737, 1e-9);
}

TEST(TakeoffBook, EmptyListStillHasAGrandTotal)
{
    const wb::Workbook book = buildWorkbook({});
    const BookLayout layout = bookLayout({});
    EXPECT_EQ(book.sheet(0).value(layout.grandTotalRow, TotalCol).asNumber(), 0);
    EXPECT_EQ(book.sheet(0).value(layout.grandTotalRow, ItemCol).asText(), QStringLiteral("总计"));
}

QJsonObject cellOf(const QJsonObject &file, int row, int col)
{
    return file[QStringLiteral("sheets")].toArray().at(0).toObject()[QStringLiteral("cells")].toObject()
        [QStringLiteral("%1,%2").arg(row).arg(col)].toObject();
}

TEST(TakeoffExport, XlsxHasLiveFormulasWithTheirResults)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("清单.xlsx"));
    exportList(sampleList(), path, xlsout::ExcelFormat::Xlsx);
    READ_OR_SKIP(file, test::runPythonReader(QStringLiteral("read_xlsx.py"), QStringLiteral("openpyxl"), {path}),
                 "python3-openpyxl");
    EXPECT_EQ(cellOf(file, 1, ItemCol)[QStringLiteral("text")].toString(), QStringLiteral("项目"));
    EXPECT_EQ(cellOf(file, 3, RemarkCol)[QStringLiteral("text")].toString(), QStringLiteral("箍筋"));
    for (const ExpectedCell &cell : expectedTotals()) {
        SCOPED_TRACE(wb::addressText(cell.row, cell.col).toStdString());
        const QJsonObject found = cellOf(file, cell.row, cell.col);
        EXPECT_EQ(found[QStringLiteral("formula")].toString(), QString::fromLatin1(cell.formula));
        EXPECT_NEAR(found[QStringLiteral("number")].toDouble(), cell.value, 1e-9);
    }
}

TEST(TakeoffExport, XlsHasTheTotals)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("清单.xls"));
    exportList(sampleList(), path, xlsout::ExcelFormat::Xls);
    READ_OR_SKIP(file, test::runPythonReader(QStringLiteral("read_xls.py"), QStringLiteral("xlrd"), {path}), "python3-xlrd");
    EXPECT_EQ(cellOf(file, 0, ItemCol)[QStringLiteral("text")].toString(), QStringLiteral("工程量清单"));
    for (const ExpectedCell &cell : expectedTotals()) {
        SCOPED_TRACE(wb::addressText(cell.row, cell.col).toStdString());
        EXPECT_NEAR(cellOf(file, cell.row, cell.col)[QStringLiteral("number")].toDouble(), cell.value, 1e-9);
    }
}

TEST(TakeoffExport, XlsHasLiveFormulas)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("清单.xls"));
    exportList(sampleList(), path, xlsout::ExcelFormat::Xls);
    READ_OR_SKIP(file,
                 test::runPythonReader(QStringLiteral("read_xls.py"), QStringLiteral("xlrd"), {QStringLiteral("--formulas"), path}),
                 "python3-xlrd");
    const QJsonObject formulas =
        file[QStringLiteral("sheets")].toArray().at(0).toObject()[QStringLiteral("formulas")].toObject();
    for (const ExpectedCell &cell : expectedTotals()) {
        SCOPED_TRACE(wb::addressText(cell.row, cell.col).toStdString());
        const QJsonObject found = formulas[QStringLiteral("%1,%2").arg(cell.row).arg(cell.col)].toObject();
        EXPECT_EQ(found[QStringLiteral("formula")].toString().remove(QLatin1Char(' ')), QString::fromLatin1(cell.formula));
        EXPECT_NEAR(found[QStringLiteral("value")].toObject()[QStringLiteral("number")].toDouble(), cell.value, 1e-9);
    }
}

using test::CliRun;

CliRun runCli(const QStringList &args)
{
    return test::runCli(runListCommand, args);
}

TEST(TakeoffCli, AddShowExportOnOneFile)
{
    QTemporaryDir dir;
    const QString list = dir.filePath(QStringLiteral("a.mhbkl"));
    const QString xlsx = dir.filePath(QStringLiteral("a.xlsx"));
    const struct {
        QStringList args;
        int status;
        const char *outContains;
        const char *errContains;
    } steps[] = {
        {{"add", list, "--item", "圆钢", "--designation", "d=10", "--quantity", "6", "--unit-weight", "0.617"}, 0, "3.702 kg", ""},
        {{"add", list, "--item", "工字钢", "--designation", "20a", "--quantity", "2", "--unit-weight", "27.929",
          "--material", "Q235", "--remark", "梁"},
         0, "55.858 kg", ""},
        {{"show", list}, 0, "总计\t59.560 kg", ""},
        {{"show", list}, 0, "\t圆钢\td=10\t3.702\t0.000\n", ""},
        {{"show", list}, 0, "1\t圆钢\td=10\t\t6\tm\t0.617\t3.702\t0.000\t\n", ""},
        {{"show", list}, 0, "2\t工字钢\t20a\tQ235\t2\tm\t27.929\t55.858\t0.000\t梁", ""},
        {{"export", list, xlsx}, 0, "", ""},
        {{"add", list, "--item", "圆钢", "--quantity", "x", "--unit-weight", "1"}, 1, "", "--quantity 应为数"},
        {{"add", list, "--quantity", "1", "--unit-weight", "1"}, 1, "", "缺少 --item"},
        {{"add", list, "--item", "a", "--quantity", "1"}, 1, "", "缺少 --unit-weight"},
        {{"add", list, "--item", "a", "--quantity", "inf", "--unit-weight", "1"}, 1, "", "应为数"},
        {{"export", list, dir.filePath("a.csv")}, 1, "", ".xls 或 .xlsx"},
        {{"show", dir.filePath("none.mhbkl")}, 1, "", "无法打开清单文件"},
        {{"frobnicate", list}, 1, "", "未知操作"},
        {{"show", list}, 0, "按规格合计", ""}, // the failed adds left the file as it was
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.args.join(QLatin1Char(' ')).toStdString());
        const CliRun run = runCli(step.args);
        EXPECT_EQ(run.status, step.status) << run.err.toStdString();
        EXPECT_TRUE(run.out.contains(QString::fromUtf8(step.outContains))) << run.out.toStdString();
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(step.errContains))) << run.err.toStdString();
    }
    EXPECT_EQ(loadList(list).size(), 2u);
    EXPECT_TRUE(QFileInfo::exists(xlsx));
}

} // namespace
} // namespace mhbk::takeoff
