#include "data/database.h"
#include "data/shippedfiles.h"
#include "support/testdb.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace mhbk {
namespace {

// An installed layout in a temporary folder: prefix/bin for the executables and the data
// folder the program derives from it (prefix/share/mhbk as the build sets it up).
struct InstalledLayout {
    QTemporaryDir prefix;
    QString bin = QDir(prefix.path()).filePath(QStringLiteral("bin"));
    QString data = shippedFileFolders(bin).at(1);

    InstalledLayout()
    {
        QDir().mkpath(bin);
        QDir().mkpath(data);
    }
};

void put(const QString &path, const QByteArray &content = "x")
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(content);
}

TEST(ShippedFiles, DataFolderIsOutsideTheExecutablesFolder)
{
    InstalledLayout layout;
    const QStringList folders = shippedFileFolders(layout.bin);
    ASSERT_EQ(folders.size(), 2);
    EXPECT_EQ(folders[0], QDir::cleanPath(layout.bin));
    EXPECT_NE(folders[1], folders[0]);
    EXPECT_FALSE(folders[1].startsWith(folders[0] + QLatin1Char('/')));
}

TEST(ShippedFiles, BesideTheExecutableFirstThenTheInstalledDataFolder)
{
    const struct {
        const char *name;
        bool beside;
        bool installed;
        bool expectInstalled;
    } cases[] = {
        {"development build: only beside the executable", true, false, false},
        {"package: only in the data folder", false, true, true},
        {"both: the executable's own copy wins", true, true, false},
        {"neither: named beside the executable", false, false, false},
    };
    for (const auto &c : cases) {
        InstalledLayout layout;
        if (c.beside)
            put(QDir(layout.bin).filePath(QStringLiteral("mhbk.html")));
        if (c.installed)
            put(QDir(layout.data).filePath(QStringLiteral("mhbk.html")));
        const QString found = findShippedFile(layout.bin, QStringLiteral("mhbk.html"));
        EXPECT_EQ(found, QDir(c.expectInstalled ? layout.data : layout.bin).filePath(QStringLiteral("mhbk.html")))
            << c.name;
        EXPECT_EQ(isInstalledDataFile(layout.bin, found), c.expectInstalled) << c.name;
    }
}

TEST(LocateDatabase, InstalledDatabaseIsNeverWrittenEvenWhereTheUserMay)
{
    InstalledLayout layout;
    QTemporaryDir user;
    const QString shipped = QDir(layout.data).filePath(QStringLiteral("System.dat"));
    ASSERT_TRUE(QFile::copy(test::builtDatabasePath(), shipped));
    const WritableCheck everythingWritable = [](const QString &) { return true; }; // root
    const QString userDir = QDir(user.path()).filePath(QStringLiteral("mhbk"));

    const QString found = locateDatabase(layout.bin, userDir, everythingWritable);
    EXPECT_EQ(found, QDir(userDir).filePath(QStringLiteral("System.dat")));
    EXPECT_EQ(QFileInfo(found).size(), QFileInfo(shipped).size());
    // Without a per-user folder the installed file is still found, to be read.
    EXPECT_EQ(locateDatabase(layout.bin, QString(), everythingWritable), shipped);
}

} // namespace
} // namespace mhbk
