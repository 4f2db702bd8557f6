// Writing a list back to its table: counts, Numbers, one transaction, and a killed save.
#include "common/errors.h"
#include "data/database.h"
#include "data/datasets.h"
#include "reference/itemsave.h"
#include "refdb.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace mhbk;
using namespace mhbk::reference;
using mhbk::test::makeItems;
using mhbk::test::readItems;
using mhbk::test::readTable;

namespace {

class SaveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(QStringLiteral("System.dat"));
        mhbk::test::createReferenceDatabase(path, 20, 20, 0);
    }

    QTemporaryDir dir;
    QString path;
};

struct CountCase {
    const char *name;
    int items;
};

class SaveCounts : public SaveTest, public ::testing::WithParamInterface<CountCase> {};

TEST_P(SaveCounts, TableHoldsExactlyTheItemsAndNewRecordsAreNumberedBySlot)
{
    const int count = GetParam().items;
    HandbookDatabase db(path);
    TableDataset table(db);
    table.open(QStringLiteral("comunit"));
    const std::vector<Item> items = makeItems(QStringLiteral("n"), count, 3);
    saveItems(table, 3, items);

    EXPECT_EQ(table.recordCount(), count);
    EXPECT_EQ(readItems(path, QStringLiteral("comunit"), 3), items);
    const std::vector<QStringList> rows = readTable(path, QStringLiteral("comunit"));
    for (int i = 0; i < count; ++i) // existing records keep theirs, which were their slots too
        EXPECT_EQ(rows[static_cast<std::size_t>(i)][0].toInt(), i);
}

INSTANTIATE_TEST_SUITE_P(Lists, SaveCounts,
                         ::testing::Values(CountCase{"same", 20}, CountCase{"one_more", 21},
                                           CountCase{"many_more", 47}, CountCase{"three_fewer", 17},
                                           CountCase{"none", 0}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(SaveTest, ExistingRecordsKeepTheirNumber)
{
    {
        QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("renumber"));
        raw.setDatabaseName(path);
        ASSERT_TRUE(raw.open());
        QSqlQuery(raw).exec(QStringLiteral("UPDATE constdensity SET Number = Number + 100"));
        raw.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("renumber"));
    HandbookDatabase db(path);
    TableDataset table(db);
    table.open(QStringLiteral("constdensity"));
    saveItems(table, 2, makeItems(QStringLiteral("x"), 22, 2));
    const std::vector<QStringList> rows = readTable(path, QStringLiteral("constdensity"));
    ASSERT_EQ(rows.size(), 22u);
    EXPECT_EQ(rows[0][0], QStringLiteral("100"));
    EXPECT_EQ(rows[19][0], QStringLiteral("119"));
    EXPECT_EQ(rows[20][0], QStringLiteral("20"));
    EXPECT_EQ(rows[21][0], QStringLiteral("21"));
}

TEST_F(SaveTest, ReadOnlyConnectionChangesNothingAndNamesTheReason)
{
    HandbookDatabase db(path);
    TableDataset table(db);
    db.setReadOnly(true);
    table.open(QStringLiteral("comunit"));
    const std::vector<QStringList> before = readTable(path, QStringLiteral("comunit"));

    try {
        saveItems(table, 3, makeItems(QStringLiteral("n"), 25, 3), QStringLiteral("常用单位转换"));
        FAIL() << "a save into a read-only database must fail";
    } catch (const AppError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("只读"))) << e.what();
        // The page the user knows, not the table behind it.
        EXPECT_TRUE(e.message().contains(QStringLiteral("“常用单位转换”"))) << e.what();
        EXPECT_FALSE(e.message().contains(QStringLiteral("comunit"))) << e.what();
    }
    EXPECT_EQ(readTable(path, QStringLiteral("comunit")), before);
    EXPECT_EQ(table.recordCount(), 20); // the dataset was read again, not left with the failed rows
    EXPECT_FALSE(QSqlQuery(db.connection()).exec(QStringLiteral("COMMIT"))); // no transaction left open
}

TEST_F(SaveTest, RecordRefusedHalfWayLeavesTheWholeTableAsItWas)
{
    {
        QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("trigger"));
        raw.setDatabaseName(path);
        ASSERT_TRUE(raw.open());
        // Stands in for a field that does not accept a text: the 23rd item is refused.
        ASSERT_TRUE(QSqlQuery(raw).exec(QStringLiteral(
            "CREATE TRIGGER refuse BEFORE INSERT ON constdensity WHEN NEW.Material = 'x22' "
            "BEGIN SELECT RAISE(ABORT, 'value refused'); END")));
        raw.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("trigger"));
    const std::vector<QStringList> before = readTable(path, QStringLiteral("constdensity"));
    HandbookDatabase db(path);
    TableDataset table(db);
    table.open(QStringLiteral("constdensity"));
    try {
        saveItems(table, 2, makeItems(QStringLiteral("x"), 30, 2));
        FAIL() << "the refused record must fail the save";
    } catch (const AppError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("不符合数据表的约束"))) << e.what();
    }
    EXPECT_EQ(readTable(path, QStringLiteral("constdensity")), before); // 22 records had been rewritten
    EXPECT_EQ(table.recordCount(), 20);
    EXPECT_EQ(table.fieldText(1), QStringLiteral("m0"));
}

// A child process saves two large lists in turn and stops itself inside a chosen save, at a
// chosen depth of its journal; killed there, it must leave the table holding the whole list the
// interrupted save was replacing, never a mixture.
TEST_F(SaveTest, KilledSaveLeavesOneWholeList)
{
    constexpr int kOld = 2000, kFirst = 20000, kSecond = 15000;
    const std::vector<Item> old = makeItems(QStringLiteral("o"), kOld, 2);
    {
        HandbookDatabase db(path);
        TableDataset table(db);
        table.open(QStringLiteral("constdensity"));
        saveItems(table, 2, old);
    }
    const std::vector<Item> lists[] = {makeItems(QStringLiteral("a"), kFirst, 2),
                                       makeItems(QStringLiteral("b"), kSecond, 2)};
    // Save 0 replaces the old list by the first, odd saves the first by the second, even ones
    // the second by the first; the journal sizes stay below what each save writes.
    const struct {
        int round;
        int journalBytes;
    } kills[] = {{0, 0}, {1, 0}, {1, 64 * 1024}, {2, 0}, {2, 128 * 1024}, {3, 16 * 1024}};
    std::vector<Item> current = old; // what the table holds when the next child starts
    for (const auto &kill : kills) {
        QProcess child;
        child.start(QStringLiteral(MHBK_CRASH_CHILD), {path, QString::number(kFirst), QString::number(kSecond),
                                                       QString::number(kill.round), QString::number(kill.journalBytes)});
        ASSERT_TRUE(child.waitForStarted());
        QByteArray line;
        while (!line.startsWith("inside ") && child.state() == QProcess::Running) {
            if (!child.canReadLine() && !child.waitForReadyRead(-1))
                break;
            if (child.canReadLine())
                line = child.readLine().trimmed();
        }
        ASSERT_TRUE(line.startsWith("inside ")) << "the child ended without reaching the save: "
                                                << child.readAllStandardError().toStdString();
        const int round = line.mid(7).toInt();
        child.kill();
        ASSERT_TRUE(child.waitForFinished(-1));
        EXPECT_TRUE(QFile::exists(path + QStringLiteral("-journal"))) << "the kill must land inside a transaction";

        const std::vector<Item> &before = round == 0 ? current : lists[round % 2 == 1 ? 0 : 1];
        const std::vector<QStringList> now = readItems(path, QStringLiteral("constdensity"), 2);
        ASSERT_TRUE(now == before) << "killed inside save " << round << " at " << kill.journalBytes
                                   << " journal bytes, the table holds " << now.size() << " records, first "
                                   << (now.empty() ? "-" : now.front().join('|').toStdString());
        // The read has rolled back what needed it; a journal SQLite found nothing in may stay, and
        // the next child would take it for its own save's.
        QFile::remove(path + QStringLiteral("-journal"));
        current = before;
    }
}

} // namespace
