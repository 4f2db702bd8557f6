// Help, update history and the autostart entry when their files or folders are not usable.
#include "app/aboutdialog.h"
#include "app/autostart.h"
#include "faultfiles.h"
#include "faultwindow.h"
#include "support/testdb.h"

#include <QCheckBox>
#include <QDir>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace mhbk::test {
namespace {

TEST(ShellFiles, MissingHelpAndHistoryAreNamedUnderAWarning)
{
    TestDatabaseCopy db;
    QTemporaryDir program; // holds neither mhbk.html nor WhatsNew.txt
    const QString exe = QDir(program.path()).filePath(QStringLiteral("mhbk"));
    RecordingReporter reporter;
    auto window = makeMainWindow(reporter, db.path(), exe);
    window->openHelp();
    window->openHistory();
    ASSERT_EQ(reporter.size(), 2u);
    EXPECT_EQ(reporter.entries()[0].text, QStringLiteral("找不到帮助文件：") + QDir::toNativeSeparators(exe + ".html"));
    EXPECT_EQ(reporter.entries()[1].text,
              QStringLiteral("找不到软件更新记录文件：") + QDir::toNativeSeparators(program.path() + "/WhatsNew.txt"));
    for (const auto &entry : reporter.entries())
        EXPECT_EQ(entry.caption, QStringLiteral("警告"));
}

struct BadAutostart {
    const char *name;
    // Spoils the autostart folder under `home`; returns the folder's path or empty to skip.
    std::function<QString(const QString &home, std::shared_ptr<void> &guard, QString &why)> spoil;
};

void PrintTo(const BadAutostart &bad, std::ostream *os) { *os << bad.name; }

class AutostartFolder : public ::testing::TestWithParam<BadAutostart> {};

TEST_P(AutostartFolder, TickingIsReportedAndTheBoxTellsTheTruth)
{
    TestDatabaseCopy db;
    QTemporaryDir home;
    std::shared_ptr<void> guard;
    QString why;
    const QString folder = GetParam().spoil(home.path(), guard, why);
    if (folder.isEmpty())
        GTEST_SKIP() << why.toStdString();
    RecordingReporter reporter;
    auto window = makeMainWindow(reporter, db.path(), QStringLiteral("/opt/mhbk/mhbk"), folder);
    {
        AboutDialog about(window->autostart(), reporter, [](const QUrl &) {});
        about.show();
        auto *box = about.findChild<QCheckBox *>(QStringLiteral("CheckBox1"));
        ASSERT_TRUE(box);
        ASSERT_FALSE(box->isChecked());
        box->click();
        ASSERT_EQ(reporter.size(), 1u) << "the failed write was not reported";
        EXPECT_EQ(reporter.last().caption, QStringLiteral("五金手册"));
        EXPECT_FALSE(window->autostart().isEnabled());
        EXPECT_FALSE(box->isChecked()) << "the box claims an autostart entry that was never written";
    }
    AboutDialog reopened(window->autostart(), reporter, [](const QUrl &) {});
    reopened.show();
    EXPECT_FALSE(reopened.findChild<QCheckBox *>(QStringLiteral("CheckBox1"))->isChecked());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, AutostartFolder,
    ::testing::Values(
        BadAutostart{"AFileWhereTheFolderShouldBe",
                     [](const QString &home, auto &, QString &) {
                         writeBytes(home + QStringLiteral("/autostart"), "not a folder");
                         return home + QStringLiteral("/autostart");
                     }},
        BadAutostart{"AFileWhereAParentFolderShouldBe",
                     [](const QString &home, auto &, QString &) {
                         writeBytes(home + QStringLiteral("/config"), "not a folder");
                         return home + QStringLiteral("/config/autostart");
                     }},
        BadAutostart{"AnUnwritableFolder",
                     [](const QString &home, auto &guard, QString &why) {
                         QDir(home).mkpath(QStringLiteral("autostart"));
                         auto unwritable = std::make_shared<Unwritable>(home + QStringLiteral("/autostart"));
                         why = unwritable->why();
                         guard = unwritable;
                         return unwritable->active() ? home + QStringLiteral("/autostart") : QString();
                     }},
        BadAutostart{"AFullDisk",
                     [](const QString &, auto &guard, QString &why) {
                         auto disk = std::make_shared<TinyDisk>(64 * 1024);
                         why = disk->why();
                         guard = disk;
                         if (!disk->mounted())
                             return QString();
                         disk->fill();
                         return disk->folder();
                     }}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace mhbk::test
