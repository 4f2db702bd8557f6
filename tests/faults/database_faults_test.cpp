// The handbook database missing, damaged, read-only, locked by another process, or on a full
// disk. Every page must show either exactly what it shows on the intact file or report an
// error; nothing may hang; a save that fails leaves the file as it was and keeps what the
// user typed, so that saving again once the fault is gone writes it.
#include "common/pageregistry.h"
#include "data/database.h"
#include "widgets/stringgrid.h"
#include "faultfiles.h"
#include "faultwindow.h"
#include "support/testdb.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace mhbk::test {
namespace {

constexpr qint64 kPage = 4096;     // the handbook database's page size

// A leaf page in the middle of the largest table of rows: the middle child of the table interior
// page (type byte 5) with the most children holding many rows each (the stored workbooks' pages
// hold one row each). Reading that table meets the damage after many good rows.
qint64 leafInsideTheLargestTable(const QString &path)
{
    const QByteArray bytes = fileBytes(path);
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    const auto be16 = [](const uchar *p) { return (p[0] << 8) | p[1]; };
    const auto be32 = [](const uchar *p) { return qint64(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; };
    std::vector<qint64> best;
    for (qint64 page = 1; (page + 1) * kPage <= bytes.size(); ++page) { // page 1 holds the schema
        const uchar *header = data + page * kPage;
        if (header[0] != 5)
            continue;
        std::vector<qint64> children;
        for (int cell = 0; cell < be16(header + 3); ++cell)
            children.push_back(be32(header + be16(header + 12 + 2 * cell)));
        children.push_back(be32(header + 8)); // the right-most child
        const qint64 firstChild = (children.front() - 1) * kPage;
        const bool manyRows = firstChild + kPage <= bytes.size() && be16(data + firstChild + 3) >= 20;
        if (manyRows && children.size() > best.size())
            best = children;
    }
    return best.empty() ? 0 : (best[best.size() / 2] - 1) * kPage;
}

struct Damage {
    const char *name;
    std::function<void(const QString &path)> apply;
    bool namesPath; // the report must name the file's full path
};

std::vector<Damage> damages()
{
    const auto pages = [](const QString &path) { return QFileInfo(path).size() / kPage; };
    return {
        {"Missing", [](const QString &p) { QFile::remove(p); }, true},
        {"Empty", [](const QString &p) { truncateFile(p, 0); }, true},
        {"TruncatedInsideTheFirstPage", [](const QString &p) { truncateFile(p, 1000); }, false},
        {"TruncatedAt64K", [](const QString &p) { truncateFile(p, 64 * 1024); }, false},
        {"TruncatedAtHalf", [](const QString &p) { truncateFile(p, QFileInfo(p).size() / 2); }, false},
        {"GarbagePageAtAQuarter", [=](const QString &p) { scribble(p, pages(p) / 4 * kPage, kPage, 1); }, false},
        {"GarbagePageAtHalf", [=](const QString &p) { scribble(p, pages(p) / 2 * kPage, kPage, 2); }, false},
        {"GarbagePageAtThreeQuarters", [=](const QString &p) { scribble(p, pages(p) * 3 / 4 * kPage, kPage, 3); }, false},
        {"GarbageLeafInsideTheLargestTable", [](const QString &p) { scribble(p, leafInsideTheLargestTable(p), kPage, 6); }, false},
        {"GarbageBytesInTheMiddle", [](const QString &p) { scribble(p, QFileInfo(p).size() / 2 + 1237, 300, 4); }, false},
        {"GarbageSchemaPage", [](const QString &p) { scribble(p, 100, kPage - 100, 5); }, false},
    };
}

// The first item cell of an editable grid: (0, 0) without a caption row, (0, 1) with one.
int firstItemRow(int page) { return page == 2 ? 0 : 1; }
QString tableOf(int page) { return page == 2 ? QStringLiteral("comunit") : QStringLiteral("constdensity"); }

// Types a text into the first item of an editable page's grid. False when the grid holds no item.
bool typeIntoFirstItem(MainWindow &window, int page, const QString &text)
{
    window.selectPage(page);
    StringGrid *grid = editableGrid(window, page);
    if (!grid || grid->rowCount() <= firstItemRow(page) || grid->cell(0, firstItemRow(page)).isEmpty())
        return false;
    grid->setCurrentCell(firstItemRow(page), 0);
    grid->setCell(0, firstItemRow(page), text);
    return true;
}

void PrintTo(const Damage &damage, std::ostream *os) { *os << damage.name; }

class DamagedDatabase : public ::testing::TestWithParam<Damage> {};

TEST_P(DamagedDatabase, EveryPageShowsTheTruthOrReportsAnErrorAndSavesNeverMakeItWorse)
{
    const std::vector<QString> &healthy = healthyContents();
    TestDatabaseCopy db;
    GetParam().apply(db.path());
    const bool existed = QFileInfo::exists(db.path());
    RecordingReporter reporter;
    auto window = makeMainWindow(reporter, db.path());
    window->show();

    int reportedPages = 0;
    for (int page = 0; page < kPageCount; ++page) {
        const std::size_t from = reporter.size();
        window->selectPage(page);
        QApplication::processEvents();
        const bool reported = errorReportedSince(reporter, from);
        reportedPages += reported;
        if (!reported) {
            EXPECT_TRUE(pageContent(window->page(page)) == healthy[page])
                << "page " << page << " shows something else than the intact database without saying so";
        }
    }
    RecordProperty("pages_reporting_an_error", reportedPages);
    if (GetParam().namesPath) {
        EXPECT_GE(reportedPages, 20);
        EXPECT_TRUE(messagesSince(reporter, 0).contains(QDir::toNativeSeparators(db.path())))
            << messagesSince(reporter, 0).toStdString();
    }

    for (int page : {2, 3}) {
        if (!typeIntoFirstItem(*window, page, QStringLiteral("故障后保存")))
            continue;
        const QByteArray before = fileBytes(db.path());
        const std::size_t from = reporter.size();
        clickButton(*window, "SpeedButton33");
        if (errorReportedSince(reporter, from)) {
            EXPECT_TRUE(fileBytes(db.path()) == before) << "page " << page << ": a failed save changed the file";
            EXPECT_TRUE(editableGrid(*window, page)->cell(0, firstItemRow(page)) == QStringLiteral("故障后保存"));
        } else {
            bool holds = false;
            EXPECT_NO_THROW(holds = tableHolds(db.path(), tableOf(page), QStringLiteral("故障后保存")));
            EXPECT_TRUE(holds) << "page " << page << ": a save without a report did not write";
        }
    }
    EXPECT_EQ(QFileInfo::exists(db.path()), existed) << "a database file was created behind the user's back";
}

INSTANTIATE_TEST_SUITE_P(Faults, DamagedDatabase, ::testing::ValuesIn(damages()),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(IntactDatabase, EveryPageShowsWithoutAReport)
{
    TestDatabaseCopy db;
    RecordingReporter reporter;
    auto window = makeMainWindow(reporter, db.path());
    for (int page = 0; page < kPageCount; ++page) {
        window->selectPage(page);
        EXPECT_TRUE(pageContent(window->page(page)) == healthyContents()[page]) << page;
    }
    EXPECT_TRUE(reporter.empty()) << messagesSince(reporter, 0).toStdString();
}

// "保存" pressed while the fault lasts: reported, the file unchanged, the typing kept.
void expectFailedSave(MainWindow &window, RecordingReporter &reporter, const QString &path, int page,
                      const QString &text)
{
    const QByteArray before = fileBytes(path);
    const std::size_t from = reporter.size();
    clickButton(window, "SpeedButton33");
    EXPECT_TRUE(errorReportedSince(reporter, from)) << "page " << page << ": the failed save was not reported";
    EXPECT_TRUE(fileBytes(path) == before) << "page " << page << ": the failed save changed the file";
    EXPECT_TRUE(editableGrid(window, page)->cell(0, firstItemRow(page)) == text) << "the typing was lost";
}

// "保存" pressed again once the fault is gone: the user's text arrives.
void expectSave(MainWindow &window, RecordingReporter &reporter, const QString &path, int page, const QString &text)
{
    window.selectPage(page);
    const std::size_t from = reporter.size();
    clickButton(window, "SpeedButton33");
    EXPECT_FALSE(errorReportedSince(reporter, from)) << messagesSince(reporter, from).toStdString();
    EXPECT_TRUE(tableHolds(path, tableOf(page), text)) << "page " << page << ": the second save did not write";
}

void saveFailsThenSucceeds(MainWindow &window, RecordingReporter &reporter, const QString &path, int page,
                           const std::function<void()> &removeFault)
{
    const QString text = QStringLiteral("故障时输入%1").arg(page);
    ASSERT_TRUE(typeIntoFirstItem(window, page, text));
    expectFailedSave(window, reporter, path, page, text);
    removeFault();
    expectSave(window, reporter, path, page, text);
}

TEST(ReadOnlyDatabase, PagesReadAndAFailedSaveKeepsTheFileAndTheTyping)
{
    for (int page : {2, 3}) {
        TestDatabaseCopy db;
        Unwritable guard(db.path());
        if (!guard.active())
            GTEST_SKIP() << guard.why().toStdString();
        RecordingReporter reporter;
        auto window = makeMainWindow(reporter, db.path());
        for (int shown : {11, 24, page}) {
            window->selectPage(shown);
            EXPECT_TRUE(pageContent(window->page(shown)) == healthyContents()[shown]) << shown;
        }
        EXPECT_TRUE(reporter.empty()) << messagesSince(reporter, 0).toStdString();
        saveFailsThenSucceeds(*window, reporter, db.path(), page, [&] { guard.lift(); });
    }
}

TEST(ReadOnlyDatabase, AnUnwritableShippedFileIsReplacedByAWritableUserCopy)
{
    QTemporaryDir program, user;
    const QString shipped = QDir(program.path()).filePath(QStringLiteral("System.dat"));
    ASSERT_TRUE(QFile::copy(builtDatabasePath(), shipped));
    Unwritable guard(shipped);
    if (!guard.active())
        GTEST_SKIP() << guard.why().toStdString();
    const QString located = locateDatabase(program.path(), QDir(user.path()).filePath(QStringLiteral("data")));
    ASSERT_NE(located, shipped);
    RecordingReporter reporter;
    auto window = makeMainWindow(reporter, located);
    ASSERT_TRUE(typeIntoFirstItem(*window, 3, QStringLiteral("用户副本")));
    clickButton(*window, "SpeedButton33");
    EXPECT_TRUE(reporter.empty()) << messagesSince(reporter, 0).toStdString();
    EXPECT_TRUE(tableHolds(located, QStringLiteral("constdensity"), QStringLiteral("用户副本")));
}

TEST(LockedDatabase, ReportsWithoutHangingAndEverythingWorksOnceTheLockIsGone)
{
    TestDatabaseCopy db;
    RecordingReporter reporter;
    auto window = makeMainWindow(reporter, db.path());
    window->show();
    const QString text = QStringLiteral("加锁时输入");
    ASSERT_TRUE(typeIntoFirstItem(*window, 2, text)); // typed before the lock, saved under it

    auto lock = std::make_unique<LockHolder>(db.path());
    ASSERT_TRUE(lock->holding()) << lock->diagnostics().toStdString();
    expectFailedSave(*window, reporter, db.path(), 2, text);
    for (int page : {11, 24, 7}) {
        const std::size_t from = reporter.size();
        window->selectPage(page);
        QApplication::processEvents();
        EXPECT_TRUE(errorReportedSince(reporter, from)) << "page " << page << " met the lock without a report";
    }
    lock->release();

    // A page that met the lock tries again on its next showing.
    for (int page : {11, 24, 7}) {
        window->selectPage(0);
        window->selectPage(page);
        QApplication::processEvents();
        EXPECT_TRUE(pageContent(window->page(page)) == healthyContents()[page]) << "page " << page << " stays broken";
    }
    expectSave(*window, reporter, db.path(), 2, text);
}

TEST(FullDisk, AFailedSaveKeepsTheFileAndTheTyping)
{
    TinyDisk disk(2 * 1024 * 1024);
    if (!disk.mounted())
        GTEST_SKIP() << disk.why().toStdString();
    const QString path = QDir(disk.folder()).filePath(QStringLiteral("System.dat"));
    ASSERT_TRUE(QFile::copy(builtDatabasePath(), path));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    RecordingReporter reporter;
    auto window = makeMainWindow(reporter, path);
    window->selectPage(3);
    const QString filler = disk.fill();
    saveFailsThenSucceeds(*window, reporter, path, 3, [&] { QFile::remove(filler); });
}

} // namespace
} // namespace mhbk::test
