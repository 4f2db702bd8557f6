#include "app/aboutdialog.h"
#include "app/autostart.h"
#include "app/helpfiles.h"
#include "app/maker.h"
#include "common/reporter.h"
#include "data/shippedfiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QLayout>
#include <QSvgRenderer>
#include <QDir>
#include <QLabel>
#include <QRegularExpression>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

TEST(GeneralErrorReport, AddsAFullStopOnlyAfterCharactersThatSortAfterIt)
{
    const struct {
        const char *text;
        const char *shown;
    } cases[] = {
        {"Division by zero", "Division by zero."},
        {"出错", "出错."},
        {"Done.", "Done."},
        {"Value: -", "Value: -"},
        {"list (1, 2)", "list (1, 2)"},
        {"", ""},
        {"找不到数据库文件“/opt/mhbk/System.dat”。", "找不到数据库文件“/opt/mhbk/System.dat”。"},
        {"无法写入：/home/user/System.dat", "无法写入：/home/user/System.dat"},
        {"cannot read C:\\Tools\\System.dat", "cannot read C:\\Tools\\System.dat"},
        {"数据库文件已损坏！", "数据库文件已损坏！"},
        {"是否继续？", "是否继续？"},
        {"数据表“comunit”", "数据表“comunit”"},
        {"a/b c", "a/b c."},
    };
    for (const auto &c : cases) {
        mhbk::RecordingReporter reporter;
        reporter.reportError(QString::fromUtf8(c.text));
        ASSERT_EQ(reporter.size(), 1u);
        EXPECT_EQ(reporter.last().text, QString::fromUtf8(c.shown)) << c.text;
        EXPECT_EQ(reporter.last().caption, QStringLiteral("五金手册"));
        EXPECT_EQ(reporter.last().icon, mhbk::MessageIcon::Critical);
    }
}

TEST(HelpFiles, MissingFilesAreNamedWithTheirFullPath)
{
    QTemporaryDir folder;
    const QString exe = QDir(folder.path()).filePath(QStringLiteral("renamed"));
    EXPECT_EQ(mhbk::helpFilePath(exe), QDir(folder.path()).filePath(QStringLiteral("renamed.html")));

    mhbk::RecordingReporter reporter;
    std::vector<QUrl> opened;
    const mhbk::UrlOpener open = [&](const QUrl &url) { opened.push_back(url); };
    mhbk::openShippedFile(mhbk::helpFilePath(exe), QStringLiteral("找不到帮助文件："), reporter, open);
    mhbk::openShippedFile(mhbk::historyFilePath(exe), QStringLiteral("找不到软件更新记录文件："), reporter, open);
    ASSERT_EQ(reporter.size(), 2u);
    EXPECT_EQ(reporter.entries()[0].text, QStringLiteral("找不到帮助文件：") + mhbk::helpFilePath(exe));
    EXPECT_EQ(reporter.entries()[1].text, QStringLiteral("找不到软件更新记录文件：") + mhbk::historyFilePath(exe));
    EXPECT_EQ(reporter.entries()[0].caption, QStringLiteral("警告"));
    EXPECT_TRUE(opened.empty());

    QFile history(mhbk::historyFilePath(exe));
    ASSERT_TRUE(history.open(QIODevice::WriteOnly));
    history.close();
    mhbk::openShippedFile(mhbk::historyFilePath(exe), QStringLiteral("找不到软件更新记录文件："), reporter, open);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].toLocalFile(), mhbk::historyFilePath(exe));
}

TEST(Autostart, EntryIsWrittenReadBackAndRemoved)
{
    QTemporaryDir home;
    const QString folder = QDir(home.path()).filePath(QStringLiteral("config/autostart"));
    const mhbk::Autostart autostart(folder, QStringLiteral("/opt/my tools/mhbk"));
    EXPECT_FALSE(autostart.isEnabled());

    autostart.setEnabled(true);
    EXPECT_TRUE(autostart.isEnabled());
    QFile entry(autostart.entryPath());
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(entry.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("Exec=\"/opt/my tools/mhbk\" -hide\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Name[zh_CN]=")));

    autostart.setEnabled(false);
    EXPECT_FALSE(autostart.isEnabled());
    EXPECT_FALSE(QFile::exists(autostart.entryPath()));
}

TEST(Autostart, AFolderThatCannotBeMadeIsAnError)
{
    QTemporaryDir home;
    const QString blocker = QDir(home.path()).filePath(QStringLiteral("autostart"));
    QFile file(blocker); // a file where the folder should be
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const mhbk::Autostart autostart(blocker, QStringLiteral("/usr/bin/mhbk"));
    EXPECT_THROW(autostart.setEnabled(true), std::exception);
}

TEST(HelpFiles, InstalledProgramFindsThemInItsDataFolder)
{
    QTemporaryDir prefix;
    const QString bin = QDir(prefix.path()).filePath(QStringLiteral("bin"));
    const QString data = mhbk::shippedFileFolders(bin).at(1);
    ASSERT_TRUE(QDir().mkpath(bin) && QDir().mkpath(data));
    for (const char *name : {"mhbk.html", "WhatsNew.txt"}) {
        QFile file(QDir(data).filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QString exe = QDir(bin).filePath(QStringLiteral("mhbk"));
    EXPECT_EQ(mhbk::helpFilePath(exe), QDir(data).filePath(QStringLiteral("mhbk.html")));
    EXPECT_EQ(mhbk::historyFilePath(exe), QDir(data).filePath(QStringLiteral("WhatsNew.txt")));
}

TEST(AboutBox, VersionAndBuildDateTexts)
{
    EXPECT_EQ(mhbk::versionText(3, 1, 3), QStringLiteral("版本 3.1 [内部版本号 3.1.3]"));
    EXPECT_EQ(mhbk::buildDateText(0), QStringLiteral("1970年01月01日"));
    // The day turns at midnight UTC, whatever the zone of the machine that shows it.
    EXPECT_EQ(mhbk::buildDateText(1158710399), QStringLiteral("2006年09月19日"));
    EXPECT_EQ(mhbk::buildDateText(1158710400), QStringLiteral("2006年09月20日"));
    EXPECT_EQ(mhbk::buildDateText(1796601600), QStringLiteral("2026年12月07日"));
}

TEST(AboutBox, ShowsTheStoredAutostartStateAndCanBeLookedAt)
{
    QTemporaryDir home;
    const mhbk::Autostart autostart(QDir(home.path()).filePath(QStringLiteral("autostart")), QStringLiteral("/usr/bin/mhbk"));
    mhbk::RecordingReporter reporter;
    {
        mhbk::AboutDialog about(autostart, reporter, [](const QUrl &) {});
        about.show();
        auto *box = about.findChild<QCheckBox *>(QStringLiteral("CheckBox1"));
        ASSERT_NE(box, nullptr);
        EXPECT_FALSE(box->isChecked()) << "ticked in the design, but nothing is stored";
        box->click();
        EXPECT_TRUE(autostart.isEnabled());
        EXPECT_EQ(about.findChild<QLabel *>(QStringLiteral("lblSoftVer"))->text().left(3), QStringLiteral("版本 "));
        const QString built = about.findChild<QLabel *>(QStringLiteral("lblSoftBuildDate"))->text();
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{4}年\\d{2}月\\d{2}日$")).match(built).hasMatch()) << built.toStdString();
        const QString folder = qEnvironmentVariable("MHBK_SNAPSHOT_DIR");
        if (!folder.isEmpty())
            about.grab().save(QDir(folder).filePath(QStringLiteral("about.png")));
    }
    mhbk::AboutDialog reopened(autostart, reporter, [](const QUrl &) {});
    reopened.show();
    EXPECT_TRUE(reopened.findChild<QCheckBox *>(QStringLiteral("CheckBox1"))->isChecked());
    EXPECT_TRUE(reporter.empty());
}

TEST(AboutBox, HasTheFixedSizeItsLayoutGives)
{
    QTemporaryDir home;
    const mhbk::Autostart autostart(QDir(home.path()).filePath(QStringLiteral("autostart")), QStringLiteral("/usr/bin/mhbk"));
    mhbk::RecordingReporter reporter;
    for (int pixels : {12, 20}) {
        QFont font = QApplication::font();
        font.setPixelSize(pixels);
        mhbk::AboutDialog about(autostart, reporter, [](const QUrl &) {});
        about.setFont(font);
        about.show();
        QApplication::processEvents();
        SCOPED_TRACE(pixels);
        EXPECT_FALSE(about.isSizeGripEnabled());
        EXPECT_EQ(about.minimumSize(), about.maximumSize()) << "the window manager offers no resizing";
        EXPECT_EQ(about.size(), about.layout()->totalSizeHint());
        about.resize(about.width() + 100, about.height() + 100);
        EXPECT_EQ(about.size(), about.minimumSize());
        for (QLabel *label : about.findChildren<QLabel *>()) {
            if (!label->wordWrap() && !label->text().isEmpty()) {
                EXPECT_GE(label->width(), label->minimumSizeHint().width()) << label->text().toStdString();
            }
        }
    }
}

// The splash's decorative rules run below the start-up message, never through it.
TEST(Splash, RulesStayClearOfTheStartUpMessage)
{
    QSvgRenderer picture(QStringLiteral(":/mhbk/resources/splash.svg"));
    ASSERT_TRUE(picture.isValid());
    const QRectF message = picture.boundsOnElement(QStringLiteral("status"));
    const QRectF rules = picture.boundsOnElement(QStringLiteral("rules"));
    ASSERT_FALSE(message.isEmpty());
    ASSERT_FALSE(rules.isEmpty());
    EXPECT_LT(message.bottom(), rules.top());
    EXPECT_TRUE(picture.viewBoxF().contains(message));
}
