// What the user reads when the database fails: Chinese throughout, the kind of fault named,
// the file's path shown whole, and no "." glued onto it by the general error report.
#include "common/errors.h"
#include "common/reporter.h"
#include "data/database.h"
#include "data/datasets.h"
#include "faultfiles.h"
#include "support/testdb.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlQuery>
#include <functional>
#include <gtest/gtest.h>

namespace mhbk::test {
namespace {

struct Fault {
    const char *name;
    std::function<QString(const QString &path)> run; // makes the fault, then fails; returns the message
    const char *kind;                                 // the words that name the fault
    bool namesPath;
};

// The message of the AppError `action` throws; a failure when it throws none.
QString messageOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const AppError &e) {
        return e.message();
    }
    ADD_FAILURE() << "no error";
    return {};
}

QString openTable(const QString &path)
{
    HandbookDatabase db(path);
    TableDataset table(db);
    return messageOf([&] { table.open(QStringLiteral("constdensity")); });
}

// Changes the first density of an open table and writes it.
QString writeFirstRow(TableDataset &table)
{
    return messageOf([&] {
        table.edit();
        table.setField(1, QStringLiteral("改动"));
        table.post();
    });
}

QString appendUntilFull(HandbookDatabase &db)
{
    QSqlQuery query(db.connection());
    // The file may not grow by a single page: every page of new rows meets a full disk.
    query.exec(QStringLiteral("PRAGMA max_page_count = 1"));
    TableDataset table(db);
    table.open(QStringLiteral("constdensity"));
    return messageOf([&] {
        for (int i = 0; i < 2000; ++i) {
            table.append();
            table.setField(1, QString(200, QChar(u'满')));
            table.post();
        }
    });
}

std::vector<Fault> faults()
{
    return {
        {"MissingFile", [](const QString &p) { QFile::remove(p); return openTable(p); }, "找不到数据库文件", true},
        {"NotADatabase",
         [](const QString &p) { writeBytes(p, QByteArray("PK\3\4 a zip file, not a database")); return openTable(p); },
         "不是有效的数据库文件", true},
        {"DamagedHeader",
         [](const QString &p) { scribble(p, 16, 84, 7); return openTable(p); }, "不是有效的数据库文件", true},
        {"DamagedSchema", [](const QString &p) { scribble(p, 100, 4096 - 100, 5); return openTable(p); }, "已损坏", true},
        {"LockedByAnotherProcess",
         [](const QString &p) {
             LockHolder lock(p);
             EXPECT_TRUE(lock.holding()) << lock.diagnostics().toStdString();
             return openTable(p);
         },
         "锁定", true},
        {"LockedWhileConnected",
         [](const QString &p) {
             HandbookDatabase db(p);
             TableDataset table(db);
             table.open(QStringLiteral("constdensity"));
             LockHolder lock(p);
             EXPECT_TRUE(lock.holding()) << lock.diagnostics().toStdString();
             return writeFirstRow(table);
         },
         "锁定", false},
        {"ReadOnly",
         [](const QString &p) {
             HandbookDatabase db(p);
             db.setReadOnly(true);
             TableDataset table(db);
             table.open(QStringLiteral("constdensity"));
             return writeFirstRow(table);
         },
         "只读", false},
        {"DiskFull",
         [](const QString &p) {
             HandbookDatabase db(p);
             return appendUntilFull(db);
         },
         "已满", false},
        {"MissingTable",
         [](const QString &p) {
             HandbookDatabase db(p);
             TableDataset table(db);
             return messageOf([&] { table.open(QStringLiteral("nosuchtable")); });
         },
         "没有数据表“nosuchtable”", false},
    };
}

void PrintTo(const Fault &fault, std::ostream *os) { *os << fault.name; }

class DatabaseMessage : public ::testing::TestWithParam<Fault> {};

TEST_P(DatabaseMessage, NamesTheFaultInChineseWithThePathWhole)
{
    TestDatabaseCopy db;
    const QString message = GetParam().run(db.path());
    SCOPED_TRACE(message.toStdString());
    EXPECT_TRUE(message.contains(QString::fromUtf8(GetParam().kind)));
    const QString shownPath = QDir::toNativeSeparators(QFileInfo(db.path()).absoluteFilePath());
    if (GetParam().namesPath) {
        EXPECT_TRUE(message.contains(QStringLiteral("“") + shownPath + QStringLiteral("”")));
    }
    // Nothing English is left once the path, the names of tables and the engine's name are taken out.
    QString rest = message;
    rest.remove(shownPath).remove(QStringLiteral("constdensity")).remove(QStringLiteral("nosuchtable"));
    rest.remove(QStringLiteral("SQLite"));
    EXPECT_FALSE(rest.contains(QRegularExpression(QStringLiteral("[A-Za-z]")))) << rest.toStdString();
    EXPECT_TRUE(message.endsWith(QStringLiteral("。")));
    // The general error report shows it as it stands.
    EXPECT_EQ(withFullStop(message), message);
}

INSTANTIATE_TEST_SUITE_P(Faults, DatabaseMessage, ::testing::ValuesIn(faults()),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace mhbk::test
