#include "app/singleinstance.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString startHolder(QProcess &holder, const QString &exePath, const QString &folder)
{
    holder.start(QStringLiteral(MHBK_LOCK_HOLDER), {exePath, folder});
    if (!holder.waitForReadyRead(10000))
        return {};
    return QString::fromLatin1(holder.readAllStandardOutput()).trimmed();
}

} // namespace

TEST(SingleInstance, LockNameIsThePathWithSlashesReplaced)
{
    EXPECT_EQ(mhbk::instanceLockName(QStringLiteral("/opt/mhbk/mhbk")), QStringLiteral("-opt-mhbk-mhbk"));
}

TEST(SingleInstance, SecondProcessOnTheSamePathIsRefusedAndAnotherPathIsNot)
{
    QTemporaryDir folder;
    QProcess holder;
    ASSERT_EQ(startHolder(holder, QStringLiteral("/usr/lib/mhbk/mhbk"), folder.path()), QStringLiteral("locked"));

    mhbk::SingleInstance second(QStringLiteral("/usr/lib/mhbk/mhbk"), folder.path());
    EXPECT_FALSE(second.acquire());
    mhbk::SingleInstance copyElsewhere(QStringLiteral("/home/user/mhbk/mhbk"), folder.path());
    EXPECT_TRUE(copyElsewhere.acquire());

    holder.kill();
    holder.waitForFinished();
}

TEST(SingleInstance, LockLeftByACrashedInstanceDoesNotBlockTheNextStart)
{
    QTemporaryDir folder;
    QProcess holder;
    ASSERT_EQ(startHolder(holder, QStringLiteral("/x/mhbk"), folder.path()), QStringLiteral("locked"));
    holder.kill(); // SIGKILL: the lock file stays behind
    holder.waitForFinished();

    mhbk::SingleInstance next(QStringLiteral("/x/mhbk"), folder.path());
    EXPECT_TRUE(next.acquire());
}
