#include "common/startfolder.h"
#include "support/scratchhome.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using mhbk::test::ScratchHome;

TEST(DialogStartFolder, TheLastFolderThenDocumentsThenHomeWhicheverExists)
{
    QTemporaryDir elsewhere;
    const QString gone = elsewhere.filePath(QStringLiteral("removed"));
    enum class Expect { Last, Documents, Home };
    struct Case {
        const char *what;
        QString lastUsed;
        bool documents;
        Expect expect;
    };
    const Case cases[] = {
        {"the last folder", elsewhere.path(), true, Expect::Last},
        {"the last folder, no documents folder", elsewhere.path(), false, Expect::Last},
        {"nothing used yet", QString(), true, Expect::Documents},
        {"the last folder has gone", gone, true, Expect::Documents},
        {"a fresh account", QString(), false, Expect::Home},
        {"the last folder has gone, no documents folder", gone, false, Expect::Home},
    };
    for (const Case &c : cases) {
        ScratchHome home(c.documents);
        const QString expected = c.expect == Expect::Last        ? c.lastUsed
                                 : c.expect == Expect::Documents ? home.documents()
                                                                 : home.path();
        EXPECT_EQ(QDir(mhbk::dialogStartFolder(c.lastUsed)).absolutePath(), QDir(expected).absolutePath()) << c.what;
        EXPECT_NE(QDir(mhbk::dialogStartFolder(c.lastUsed)).absolutePath(), QDir::currentPath()) << c.what;
    }
}

} // namespace
