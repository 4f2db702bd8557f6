// "mhbk-cli workbook": the stored workbook of a page, typed cells, the duct run, printed cells
// and the Excel export, on a copy of the built database.

#include "workbooks/cli_workbook.h"
#include "support/testdb.h"
#include "support/clirun.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace mhbk {
namespace {

using test::CliRun;

CliRun runCli(const QStringList &args)
{
    return test::runCli(runWorkbookCommand, args);
}

class WorkbookCli : public ::testing::Test {
protected:
    CliRun run(QStringList args) { return runCli(args << QStringLiteral("--db") << copy_.path()); }
    test::TestDatabaseCopy copy_;
};

TEST_F(WorkbookCli, DuctRunPrintsResultsAndSummary)
{
    const CliRun r = run({QStringLiteral("48"), QStringLiteral("--set"), QStringLiteral("B3=500"), QStringLiteral("--set"),
                          QStringLiteral("C3=10"), QStringLiteral("--run"), QStringLiteral("--get"), QStringLiteral("H3"),
                          QStringLiteral("--get"), QStringLiteral("D21"), QStringLiteral("--get"), QStringLiteral("G21")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("0.75\n15.71\n0.75\n"));
}

TEST_F(WorkbookCli, DuctRunLeavesTheDatabaseFileAsItWas)
{
    const auto contents = [this] {
        QFile file(copy_.path());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    };
    const QByteArray before = contents();
    const CliRun r = run({QStringLiteral("45"), QStringLiteral("--set"), QStringLiteral("B3=1000"), QStringLiteral("--set"),
                          QStringLiteral("C3=200"), QStringLiteral("--set"), QStringLiteral("D3=10"), QStringLiteral("--run"),
                          QStringLiteral("--get"), QStringLiteral("E20")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("24\n"));
    EXPECT_TRUE(contents() == before);
}

TEST_F(WorkbookCli, FormulasFollowTypedCells)
{
    // DN15 (21.3 mm), 20 mm insulation, 100 m: the quota's 0.272 m3 and 22.46 m2 per 100 m.
    const CliRun r = run({QStringLiteral("7"), QStringLiteral("--set"), QStringLiteral("C8=21.3"), QStringLiteral("--set"),
                          QStringLiteral("D8=20"), QStringLiteral("--set"), QStringLiteral("E8=100"), QStringLiteral("--get"),
                          QStringLiteral("I8"), QStringLiteral("--get"), QStringLiteral("J8")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("0.272\n22.46\n"));
}

TEST_F(WorkbookCli, SaveThenOpenCarriesTheTypedCellsAndChecksThePage)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("p7.mhbk"));
    const CliRun saved = run({QStringLiteral("7"), QStringLiteral("--set"), QStringLiteral("C8=21.3"), QStringLiteral("--set"),
                              QStringLiteral("D8=20"), QStringLiteral("--save"), file});
    ASSERT_EQ(saved.status, 0) << saved.err.toStdString();
    // Opened again, typed on and asked: the saved entries are there and the formulas follow.
    const CliRun opened = run({QStringLiteral("7"), QStringLiteral("--open"), file, QStringLiteral("--set"),
                               QStringLiteral("E8=100"), QStringLiteral("--get"), QStringLiteral("C8"), QStringLiteral("--get"),
                               QStringLiteral("I8"), QStringLiteral("--export"), dir.filePath(QStringLiteral("p7.xlsx"))});
    EXPECT_EQ(opened.status, 0) << opened.err.toStdString();
    EXPECT_EQ(opened.out, QStringLiteral("21.3\n0.272\n"));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("p7.xlsx"))));

    const CliRun otherPage = run({QStringLiteral("8"), QStringLiteral("--open"), file});
    EXPECT_EQ(otherPage.status, 1);
    EXPECT_TRUE(otherPage.err.contains(QStringLiteral("不是第 8 页"))) << otherPage.err.toStdString();
    const CliRun missing = run({QStringLiteral("7"), QStringLiteral("--open"), dir.filePath(QStringLiteral("none.mhbk"))});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("文件不存在"))) << missing.err.toStdString();
}

TEST_F(WorkbookCli, ExportWritesBothExcelFormats)
{
    QTemporaryDir dir;
    for (const char *name : {"p49.xls", "p49.xlsx"}) {
        const QString path = dir.filePath(QLatin1String(name));
        const CliRun r = run({QStringLiteral("49"), QStringLiteral("--export"), path});
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        EXPECT_GT(QFileInfo(path).size(), 1000) << name;
    }
}

TEST_F(WorkbookCli, BadInputIsRefusedWithStatusOne)
{
    const QStringList cases[] = {
        {},
        {QStringLiteral("52")},
        {QStringLiteral("abc")},
        {QStringLiteral("0")},                                            // no workbook on the keypad page
        {QStringLiteral("7"), QStringLiteral("--run")},                   // not a duct page
        {QStringLiteral("7"), QStringLiteral("--get"), QStringLiteral("7A")},
        {QStringLiteral("7"), QStringLiteral("--set"), QStringLiteral("C8")},
        {QStringLiteral("7"), QStringLiteral("--export"), QStringLiteral("out.csv")},
        {QStringLiteral("7"), QStringLiteral("8")},
        {QStringLiteral("7"), QStringLiteral("--get")},
        {QStringLiteral("7"), QStringLiteral("--bogus")},
        {QStringLiteral("45"), QStringLiteral("--set"), QStringLiteral("B3=abc"), QStringLiteral("--run")},
    };
    for (const QStringList &args : cases) {
        const CliRun r = run(args);
        EXPECT_EQ(r.status, 1) << args.join(' ').toStdString();
        EXPECT_FALSE(r.err.isEmpty()) << args.join(' ').toStdString();
    }
}

} // namespace
} // namespace mhbk
