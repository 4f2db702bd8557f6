// The per-user copy follows the shipped file: what a start finds changed in it decides whether
// the copy is made afresh (with the user's tables carried over) or kept.
#include "data/usercopy.h"
#include "support/scratchdb.h"
#include "support/testdb.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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
    bool oldStamp;  // the stamp holds the hash alone, as copies made before the size and time
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

TEST_P(UserCopyStamp, TheHashIsReadOnlyWhenSizeOrTimeChanged)
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
    if (c.oldStamp) {
        QFile file(stamp);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        const QByteArray hash = file.readLine().trimmed();
        ASSERT_EQ(hash.size(), 64);
        file.resize(0);
        file.write(hash);
    }
    test::SqlFile(copy).exec(QStringLiteral("INSERT INTO constdensity VALUES (9999, '用户的材料', '1.23')"));
    ASSERT_NO_FATAL_FAILURE(change(shipped, c.change));

    EXPECT_EQ(refreshUserCopy(shipped, copy), c.refreshed);
    EXPECT_EQ(test::SqlFile(copy).rows(QStringLiteral("circle")).front().value(1) == kNewValue, c.refreshed);
    EXPECT_EQ(test::SqlFile(copy).rows(QStringLiteral("constdensity")).back().value(0), QStringLiteral("9999"));
    // Whatever happened, the stamp now knows the shipped file's size and time, so the next
    // start reads no hash and changes nothing.
    const QFileInfo info(shipped);
    EXPECT_EQ(readAll(stamp).split('\n').value(1),
              QByteArray::number(info.size()) + ' ' + QByteArray::number(info.lastModified().toMSecsSinceEpoch()));
    EXPECT_FALSE(refreshUserCopy(shipped, copy));
}

INSTANTIATE_TEST_SUITE_P(
    Starts, UserCopyStamp,
    ::testing::Values(StampCase{"Unchanged", Change::None, false, false},
                      // Size and time say nothing changed, so the hash is not read and the copy stays.
                      StampCase{"SameSizeAndTime", Change::SameLookOtherData, false, false},
                      StampCase{"TouchedSameContent", Change::Touched, false, false},
                      StampCase{"NewData", Change::NewData, false, true},
                      StampCase{"OldStampUnchanged", Change::None, true, false},
                      // An old stamp has no size and time to trust: the hash finds the change.
                      StampCase{"OldStampSameSizeAndTime", Change::SameLookOtherData, true, true}),
    [](const auto &info) { return std::string(info.param.label); });

} // namespace
} // namespace mhbk
