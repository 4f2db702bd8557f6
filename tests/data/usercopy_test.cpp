// The per-user copy follows the shipped file: what a start finds changed in it decides whether
// the copy is made afresh (with the user's tables carried over) or kept.
#include "data/database.h"
#include "data/usercopy.h"
#include "support/scratchdb.h"
#include "support/testdb.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace mhbk {
namespace {

const QString kNewValue = QStringLiteral("5.5新");

// What happens to the shipped file between two starts.
enum class Change {
    None,
    SameLookOtherData, // data changed in place, size and time put back as they were
    Touched,           // only the modification time moves
    NewData,           // new data, and the time moves as an update leaves it
};

struct StampCase {
    const char *label;
    Change change;
    bool oldStamp;  // the stamp has the size and time line that earlier versions wrote
    bool refreshed; // the copy is made afresh from the shipped file
};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void setModified(const QString &path, const QDateTime &time)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(time, QFileDevice::FileModificationTime));
}

void change(const QString &shipped, Change how)
{
    const QFileInfo before(shipped);
    const QDateTime time = before.lastModified();
    if (how == Change::SameLookOtherData || how == Change::NewData)
        test::SqlFile(shipped).exec(
            QStringLiteral("UPDATE circle SET d = '%1' WHERE rowid = (SELECT min(rowid) FROM circle)").arg(kNewValue));
    if (how == Change::SameLookOtherData) {
        ASSERT_EQ(QFileInfo(shipped).size(), before.size()) << "the update must keep the size for this case";
        setModified(shipped, time);
    }
    if (how == Change::Touched || how == Change::NewData)
        setModified(shipped, time.addSecs(3600));
}

class UserCopyStamp : public ::testing::TestWithParam<StampCase> {};

TEST_P(UserCopyStamp, TheContentDecidesNeverTheSizeAndTime)
{
    const StampCase &c = GetParam();
    QTemporaryDir exe, user;
    const QString shipped = QDir(exe.path()).filePath(QStringLiteral("System.dat"));
    const QString copy = QDir(user.path()).filePath(QStringLiteral("System.dat"));
    ASSERT_TRUE(QFile::copy(test::builtDatabasePath(), shipped));
    ASSERT_TRUE(QFile::copy(shipped, copy));
    QFile::setPermissions(copy, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    stampUserCopy(shipped, copy);
    const QString stamp = copy + QStringLiteral(".shipped");
    const QByteArray hash = readAll(stamp).trimmed();
    ASSERT_EQ(hash.size(), 64);
    if (c.oldStamp) {
        // What an earlier version wrote: the hash, then the size and time it trusted.
        const QFileInfo info(shipped);
        QFile file(stamp);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(hash + '\n' + QByteArray::number(info.size()) + ' ' +
                   QByteArray::number(info.lastModified().toMSecsSinceEpoch()) + '\n');
    }
    test::SqlFile(copy).exec(QStringLiteral("INSERT INTO constdensity VALUES (9999, '用户的材料', '1.23')"));
    ASSERT_NO_FATAL_FAILURE(change(shipped, c.change));

    EXPECT_EQ(refreshUserCopy(shipped, copy), c.refreshed);
    EXPECT_EQ(test::SqlFile(copy).rows(QStringLiteral("circle")).front().value(1) == kNewValue, c.refreshed);
    EXPECT_EQ(test::SqlFile(copy).rows(QStringLiteral("constdensity")).back().value(0), QStringLiteral("9999"));
    // The stamp names the shipped file's content as it is now, so the next start changes nothing.
    const QByteArray nowStamped = readAll(stamp).split('\n').value(0);
    EXPECT_EQ(nowStamped.size(), 64);
    EXPECT_EQ(nowStamped != hash, c.refreshed);
    EXPECT_FALSE(refreshUserCopy(shipped, copy));
}

INSTANTIATE_TEST_SUITE_P(
    Starts, UserCopyStamp,
    ::testing::Values(StampCase{"Unchanged", Change::None, false, false},
                      // Size and time say nothing changed, but the content did: the copy is renewed.
                      StampCase{"SameSizeAndTime", Change::SameLookOtherData, false, true},
                      StampCase{"TouchedSameContent", Change::Touched, false, false},
                      StampCase{"NewData", Change::NewData, false, true},
                      StampCase{"OldStampUnchanged", Change::None, true, false},
                      // A stamp of an earlier version, whose size and time match: still the hash decides.
                      StampCase{"OldStampSameSizeAndTime", Change::SameLookOtherData, true, true}),
    [](const auto &info) { return std::string(info.param.label); });

} // namespace
} // namespace mhbk

namespace mhbk {
namespace {

QString densityNames(const QString &database)
{
    QStringList names;
    for (const QStringList &row : test::SqlFile(database).rows(QStringLiteral("constdensity")))
        names << row.value(1);
    return names.join(QLatin1Char('|'));
}

// The program and mhbk-cli find one per-user folder, whatever each is called; the program's other
// files (history, takeoff list) stay where they were, beside the copy.
TEST(SharedUserCopy, TheProgramAndTheCommandLineUseOneFolder)
{
    QStandardPaths::setTestModeEnabled(true);
    const QString organization = QCoreApplication::organizationName();
    const QString application = QCoreApplication::applicationName();
    const auto restore = qScopeGuard([&] {
        QCoreApplication::setOrganizationName(organization);
        QCoreApplication::setApplicationName(application);
        QStandardPaths::setTestModeEnabled(false);
    });
    QCoreApplication::setOrganizationName(QStringLiteral("Zorvan"));
    QCoreApplication::setApplicationName(QStringLiteral("mhbk"));
    const QString program = sharedUserDataFolder();
    EXPECT_EQ(program, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    QCoreApplication::setOrganizationName(QString());
    QCoreApplication::setApplicationName(QStringLiteral("mhbk-cli"));
    EXPECT_EQ(sharedUserDataFolder(), program);
    EXPECT_EQ(formerCliDataFolder(), QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        << "the folder mhbk-cli used to keep its copy in";
    EXPECT_NE(formerCliDataFolder(), program);
}

class SharedUserCopyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        shipped = QDir(exe.path()).filePath(QStringLiteral("System.dat"));
        ASSERT_TRUE(QFile::copy(test::builtDatabasePath(), shipped));
        shared = QDir(home.path()).filePath(QStringLiteral("Zorvan/mhbk"));
        former = QDir(home.path()).filePath(QStringLiteral("mhbk-cli"));
    }
    QString locate() { return locateSharedDatabase(exe.path(), shared, former, installed); }
    // A copy made by the earlier mhbk-cli, from the shipped file as it is now, with a user row.
    QString formerCopy(const QString &userRow)
    {
        const QString path = QDir(former).filePath(QStringLiteral("System.dat"));
        EXPECT_TRUE(QDir().mkpath(former));
        EXPECT_TRUE(QFile::copy(shipped, path));
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        stampUserCopy(shipped, path);
        test::SqlFile(path).exec(QStringLiteral("INSERT INTO constdensity VALUES (9001, '%1', '1.5')").arg(userRow));
        return path;
    }

    QTemporaryDir exe, home;
    QString shipped, shared, former;
    // The installed program's folder cannot be written (injected: the tests may run as root).
    WritableCheck installed = [this](const QString &path) { return !path.startsWith(exe.path()); };
};

TEST_F(SharedUserCopyTest, ACopyLeftByTheCommandLineIsTakenOverOnceAndUpdated)
{
    const QString old = formerCopy(QStringLiteral("命令行存的材料"));
    // The handbook is updated after that copy was made.
    test::SqlFile(shipped).exec(
        QStringLiteral("UPDATE circle SET d = '%1' WHERE rowid = (SELECT min(rowid) FROM circle)").arg(kNewValue));

    const QString found = locate();
    EXPECT_EQ(found, QDir(shared).filePath(QStringLiteral("System.dat")));
    EXPECT_TRUE(densityNames(found).endsWith(QStringLiteral("|命令行存的材料")));
    EXPECT_EQ(test::SqlFile(found).rows(QStringLiteral("circle")).front().value(1), kNewValue);
    EXPECT_FALSE(QFileInfo::exists(old));
    EXPECT_TRUE(QFileInfo::exists(old + QStringLiteral(".taken-over")));

    // Once: a row saved in the shared copy afterwards stays at the next start.
    test::SqlFile(found).exec(QStringLiteral("INSERT INTO constdensity VALUES (9002, '程序存的材料', '2.5')"));
    EXPECT_EQ(locate(), found);
    EXPECT_TRUE(densityNames(found).endsWith(QStringLiteral("|命令行存的材料|程序存的材料")));
}

TEST_F(SharedUserCopyTest, TheProgramsCopyStaysWhenBothHaveOne)
{
    const QString programs = locate(); // the program made its copy first
    test::SqlFile(programs).exec(QStringLiteral("INSERT INTO constdensity VALUES (9002, '程序存的材料', '2.5')"));
    const QString old = formerCopy(QStringLiteral("命令行的行"));

    EXPECT_EQ(locate(), programs);
    EXPECT_TRUE(densityNames(programs).endsWith(QStringLiteral("|程序存的材料")));
    EXPECT_FALSE(densityNames(programs).contains(QStringLiteral("命令行的行")));
    EXPECT_FALSE(QFileInfo::exists(old));
    EXPECT_TRUE(QFileInfo::exists(old + QStringLiteral(".taken-over"))) << "set aside, not deleted";
}

} // namespace
} // namespace mhbk
