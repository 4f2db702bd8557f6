#include "common/errors.h"
#include "data/database.h"
#include "data/datasets.h"
#include "support/scratchdb.h"
#include "support/testdb.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace mhbk {
namespace {

QString shippedIn(const QTemporaryDir &dir)
{
    const QString path = QDir(dir.path()).filePath(QStringLiteral("System.dat"));
    EXPECT_TRUE(QFile::copy(test::builtDatabasePath(), path));
    return path;
}

TEST(HandbookDatabase, MissingFileFailsNamingThePathAndCreatesNothing)
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("System.dat"));
    HandbookDatabase db(path);
    TableDataset table(db);
    try {
        table.open(QStringLiteral("circle"));
        FAIL() << "opening a missing database must fail";
    } catch (const AppError &e) {
        EXPECT_TRUE(e.message().contains(QDir::toNativeSeparators(path))) << e.what();
    }
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_FALSE(table.isOpen());
}

TEST(HandbookDatabase, EmptyOrForeignFileIsNotTakenForTheDatabase)
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("System.dat"));
    for (const QByteArray &content : {QByteArray(), QByteArray("Standard Jet DB\0\0\0\0\0\0\0\0", 24)}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        file.close();
        HandbookDatabase db(path);
        EXPECT_THROW(db.connection(), AppError);
        EXPECT_EQ(QFileInfo(path).size(), content.size()) << "the file is left as it was";
    }
}

TEST(LocateDatabase, WritableExecutableFolderUsesTheShippedFile)
{
    QTemporaryDir exe;
    QTemporaryDir user;
    const QString shipped = shippedIn(exe);
    EXPECT_EQ(locateDatabase(exe.path(), user.path()), shipped);
    EXPECT_FALSE(QFileInfo::exists(QDir(user.path()).filePath(QStringLiteral("System.dat"))));
}

TEST(LocateDatabase, ReadOnlyExecutableFolderUsesAPerUserCopyMadeOnce)
{
    QTemporaryDir exe;
    QTemporaryDir user;
    const QString shipped = shippedIn(exe);
    const QString userDir = QDir(user.path()).filePath(QStringLiteral("data/mhbk"));
    // The installed program's folder, as the check sees it (the tests may run with rights
    // that ignore permission bits, so the check is injected here).
    const WritableCheck installed = [&](const QString &path) { return !path.startsWith(exe.path()); };

    const QString first = locateDatabase(exe.path(), userDir, installed);
    EXPECT_EQ(first, QDir(userDir).filePath(QStringLiteral("System.dat")));
    ASSERT_TRUE(QFileInfo(first).isFile());
    EXPECT_EQ(QFileInfo(first).size(), QFileInfo(shipped).size());
    EXPECT_FALSE(QFileInfo::exists(first + QStringLiteral(".part")));

    // The copy is the user's from now on: a saved change survives the next start.
    {
        HandbookDatabase db(first);
        TableDataset table(db);
        table.open(QStringLiteral("circle"));
        table.next();
        table.edit();
        table.setField(1, QStringLiteral("5.5x"));
        table.post();
    }
    const QString second = locateDatabase(exe.path(), userDir, installed);
    EXPECT_EQ(second, first);
    HandbookDatabase db(second);
    TableDataset table(db);
    table.open(QStringLiteral("circle"));
    table.next();
    EXPECT_EQ(table.fieldText(1), QStringLiteral("5.5x"));
}

TEST(LocateDatabase, TheUsersCopyStaysInUseWhenTheShippedFileBecomesWritableAgain)
{
    QTemporaryDir exe;
    QTemporaryDir user;
    shippedIn(exe);
    const WritableCheck readOnlyFolder = [&](const QString &path) { return !path.startsWith(exe.path()); };
    const WritableCheck everythingWritable = [](const QString &) { return true; };
    const QString copy = locateDatabase(exe.path(), user.path(), readOnlyFolder);
    {
        HandbookDatabase db(copy);
        TableDataset table(db);
        table.open(QStringLiteral("circle"));
        table.edit();
        table.setField(1, QStringLiteral("saved by the user"));
        table.post();
    }
    // The administrator makes the program folder writable again: the saved row must not vanish.
    EXPECT_EQ(locateDatabase(exe.path(), user.path(), everythingWritable), copy);
    HandbookDatabase db(locateDatabase(exe.path(), user.path(), everythingWritable));
    TableDataset table(db);
    table.open(QStringLiteral("circle"));
    EXPECT_EQ(table.fieldText(1), QStringLiteral("saved by the user"));
}

TEST(LocateDatabase, ReadOnlyShippedFileAlsoMovesToTheUserCopy)
{
    QTemporaryDir exe;
    QTemporaryDir user;
    const QString shipped = shippedIn(exe);
    const WritableCheck fileLocked = [&](const QString &path) { return path != shipped; };
    EXPECT_EQ(locateDatabase(exe.path(), user.path(), fileLocked), QDir(user.path()).filePath(QStringLiteral("System.dat")));
}

TEST(LocateDatabase, NoShippedFileIsNeverReplacedByAnEmptyOne)
{
    QTemporaryDir exe;
    QTemporaryDir user;
    const WritableCheck nothingWritable = [](const QString &) { return false; };
    const QString expected = QDir(exe.path()).filePath(QStringLiteral("System.dat"));
    EXPECT_EQ(locateDatabase(exe.path(), user.path(), nothingWritable), expected);
    EXPECT_EQ(locateDatabase(exe.path(), user.path()), expected);
    EXPECT_TRUE(QDir(user.path()).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(expected));
}

TEST(LocateDatabase, RealCheckOnANonWritableFolder)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permission bits do not bind root; the injected check above covers the logic";
    QTemporaryDir exe;
    QTemporaryDir user;
    shippedIn(exe);
    ASSERT_TRUE(QFile::setPermissions(exe.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const QString found = locateDatabase(exe.path(), user.path());
    QFile::setPermissions(exe.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(found, QDir(user.path()).filePath(QStringLiteral("System.dat")));
}

TEST(TableDataset, WholeTableInStoredOrderAfterDeletesAndAppends)
{
    test::TestDatabaseCopy copy;
    HandbookDatabase db(copy.path());
    TableDataset table(db);
    table.open(QStringLiteral("tmp"));
    for (const char *deh : {"b", "a", "c"}) {
        table.append();
        table.setField(QStringLiteral("deh"), QString::fromLatin1(deh));
        table.post();
    }
    table.open(QStringLiteral("tmp"));
    table.next();
    table.remove();
    table.append();
    table.setField(QStringLiteral("deh"), QStringLiteral("z"));
    table.post();
    table.open(QStringLiteral("tmp"));
    QStringList order;
    for (table.first(); !table.eof(); table.next())
        order << table.fieldText(QStringLiteral("deh"));
    EXPECT_EQ(order, (QStringList{QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("z")}));
}

} // namespace
} // namespace mhbk

namespace mhbk {
namespace {

// An update of the program brings a newer shipped file while the user's copy holds their saved
// density row. What each case changes in the shipped file, and what the copy must then hold.
struct UpdateCase {
    const char *label;
    const char *shippedChange;  // SQL run on the shipped file after the copy was made; may be empty
    bool forgetStamp;           // the copy was made by a version that kept no stamp
    bool refreshed;             // the new handbook data reaches the copy
};

class UserCopyUpdate : public ::testing::TestWithParam<UpdateCase> {};

TEST_P(UserCopyUpdate, NewHandbookDataArrivesAndTheUsersRowsStay)
{
    const UpdateCase &c = GetParam();
    QTemporaryDir exe;
    QTemporaryDir user;
    const QString shipped = shippedIn(exe);
    const WritableCheck installed = [&](const QString &path) { return !path.startsWith(exe.path()); };
    const QString copy = locateDatabase(exe.path(), user.path(), installed);
    test::SqlFile(copy).exec(QStringLiteral("INSERT INTO constdensity VALUES (9999, '用户的材料', '1.23')"));
    if (c.forgetStamp)
        QFile::remove(copy + QStringLiteral(".shipped"));
    if (*c.shippedChange)
        test::SqlFile(shipped).exec(QString::fromUtf8(c.shippedChange));

    EXPECT_EQ(locateDatabase(exe.path(), user.path(), installed), copy);
    const auto circle = test::SqlFile(copy).rows(QStringLiteral("circle"));
    ASSERT_FALSE(circle.empty());
    EXPECT_EQ(circle.front().value(1) == QStringLiteral("5.5新"), c.refreshed && *c.shippedChange);
    const auto density = test::SqlFile(copy).rows(QStringLiteral("constdensity"));
    ASSERT_FALSE(density.empty());
    EXPECT_EQ(density.back(), (QStringList{QStringLiteral("9999"), QStringLiteral("用户的材料"), QStringLiteral("1.23")}));
    EXPECT_EQ(QFileInfo::exists(copy + QStringLiteral(".before-update")), c.refreshed);
    EXPECT_FALSE(QFileInfo::exists(copy + QStringLiteral(".part")));
    // Once brought up to date, the next start leaves the copy alone.
    EXPECT_EQ(locateDatabase(exe.path(), user.path(), installed), copy);
    EXPECT_EQ(test::SqlFile(copy).rows(QStringLiteral("constdensity")).back().value(0), QStringLiteral("9999"));
}

INSTANTIATE_TEST_SUITE_P(
    Updates, UserCopyUpdate,
    ::testing::Values(
        UpdateCase{"SameProgram", "", false, false},
        UpdateCase{"NewerHandbookData", "UPDATE circle SET d = '5.5新' WHERE rowid = (SELECT min(rowid) FROM circle)", false, true},
        UpdateCase{"CopyWithoutStamp", "", true, true},
        // A user table whose columns changed cannot take the saved rows whole: the old copy stays.
        UpdateCase{"UserTableChanged", "ALTER TABLE constdensity ADD COLUMN Note TEXT", false, false}),
    [](const auto &info) { return std::string(info.param.label); });

} // namespace
} // namespace mhbk
