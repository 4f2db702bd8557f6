// Exports to places that cannot take the file, to a full disk, and exports cut short by a
// killed process: each failure is reported with the path, and the name the user chose never
// holds a half file (an older file of that name stays as it was).
#include "common/errors.h"
#include "data/database.h"
#include "data/datasets.h"
#include "faultfiles.h"
#include "faultwindow.h"
#include "support/testdb.h"
#include "workbooks/engine/workbookjson.h"
#include "workbooks/export/workbookexport.h"
#include "workbooks/pages/reportstore.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

namespace mhbk::test {
namespace {

using xlsout::ExcelFormat;

// The three ways the program writes a workbook file: .xls, .xlsx, and its own stored format.
enum class Writer { Xls, Xlsx, Stored };

void PrintTo(Writer writer, std::ostream *os) { *os << (writer == Writer::Xls ? "xls" : writer == Writer::Xlsx ? "xlsx" : "stored"); }

QString suffix(Writer writer)
{
    return writer == Writer::Xls ? QStringLiteral("xls") : writer == Writer::Xlsx ? QStringLiteral("xlsx") : QStringLiteral("json");
}

// Throws AppError on failure, as the export command does.
void write(const wb::Workbook &book, const QString &path, Writer writer)
{
    if (writer == Writer::Stored) {
        QString error;
        if (!wb::saveWorkbookFile(book, path, &error))
            throw AppError(error);
        return;
    }
    xlsout::exportWorkbook(book, path, writer == Writer::Xls ? ExcelFormat::Xls : ExcelFormat::Xlsx);
}

wb::Workbook storedWorkbook(int page)
{
    TestDatabaseCopy db;
    HandbookDatabase database(db.path());
    QueryDataset query(database);
    const auto stored = workbooks::readStoredWorkbook(query, page);
    if (!stored)
        throw std::runtime_error("no stored workbook for the page");
    wb::LoadError error;
    auto book = wb::loadWorkbook(stored->bytes, &error);
    if (!book)
        throw std::runtime_error(error.message.toStdString());
    return std::move(*book);
}

QString suffix(ExcelFormat format) { return suffix(format == ExcelFormat::Xls ? Writer::Xls : Writer::Xlsx); }

// A complete file of either kind: the compound file's signature, or a zip archive whose
// central directory (written last) is there.
bool isCompleteExcelFile(const QByteArray &bytes, ExcelFormat format)
{
    if (format == ExcelFormat::Xls)
        return bytes.startsWith(QByteArray::fromHex("D0CF11E0A1B11AE1")) && bytes.size() % 512 == 0;
    return bytes.startsWith("PK\x03\x04") && bytes.right(22).startsWith("PK\x05\x06");
}

struct Place {
    const char *name;
    // Makes the place under `root` and returns the path to export to; empty to skip, with the
    // reason in `why`. `guards` keep what must stay in force during the export.
    std::function<QString(const QString &root, const QString &suffix, std::vector<std::shared_ptr<void>> &guards,
                          QString &why)>
        prepare;
};

QString withOldFile(const QString &path)
{
    writeBytes(path, "an older export the user keeps");
    return path;
}

std::vector<Place> places()
{
    return {
        {"FolderIsAFile",
         [](const QString &root, const QString &ext, auto &, QString &) {
             writeBytes(root + QStringLiteral("/报表"), "a file where a folder should be");
             return root + QStringLiteral("/报表/导出.") + ext;
         }},
        {"MissingFolder",
         [](const QString &root, const QString &ext, auto &, QString &) {
             return root + QStringLiteral("/没有/导出.") + ext;
         }},
        {"TargetIsAFolder",
         [](const QString &root, const QString &ext, auto &, QString &) {
             QDir(root).mkpath(QStringLiteral("导出.") + ext);
             return root + QStringLiteral("/导出.") + ext;
         }},
        {"UnwritableFolder",
         [](const QString &root, const QString &ext, auto &guards, QString &why) {
             QDir(root).mkpath(QStringLiteral("只读"));
             const QString target = withOldFile(root + QStringLiteral("/只读/导出.") + ext);
             auto guard = std::make_shared<Unwritable>(root + QStringLiteral("/只读"));
             why = guard->why();
             guards.push_back(guard);
             return guard->active() ? target : QString();
         }},
        {"UnwritableOldFile",
         [](const QString &root, const QString &ext, auto &guards, QString &why) {
             const QString target = withOldFile(root + QStringLiteral("/导出.") + ext);
             auto guard = std::make_shared<Unwritable>(target);
             why = guard->why();
             guards.push_back(guard);
             return guard->active() ? target : QString();
         }},
        {"FullDisk",
         [](const QString &, const QString &ext, auto &guards, QString &why) {
             auto disk = std::make_shared<TinyDisk>(256 * 1024);
             why = disk->why();
             guards.push_back(disk);
             if (!disk->mounted())
                 return QString();
             const QString target = withOldFile(disk->folder() + QStringLiteral("/导出.") + ext);
             disk->fill();
             return target;
         }},
    };
}

void PrintTo(const Place &place, std::ostream *os) { *os << place.name; }

class ExportPlace : public ::testing::TestWithParam<std::tuple<Place, Writer>> {};

TEST_P(ExportPlace, FailsWithTheBlameOnThePathAndLeavesNothingBehind)
{
    const auto &[place, writer] = GetParam();
    static const wb::Workbook book = storedWorkbook(49);
    QTemporaryDir root;
    std::vector<std::shared_ptr<void>> guards;
    QString why;
    const QString target = place.prepare(root.path(), suffix(writer), guards, why);
    if (target.isEmpty())
        GTEST_SKIP() << why.toStdString();
    const QString folder = QFileInfo(target).absolutePath();
    const QStringList entriesBefore = folderEntries(folder);
    const bool oldFile = QFileInfo(target).isFile();
    const QByteArray oldBytes = fileBytes(target);

    try {
        write(book, target, writer);
        ADD_FAILURE() << "the export to " << target.toStdString() << " claimed success";
    } catch (const AppError &e) {
        EXPECT_TRUE(e.message().contains(QDir::toNativeSeparators(target))) << e.what();
    }
    EXPECT_EQ(folderEntries(folder), entriesBefore) << "a half or temporary file was left behind";
    if (oldFile) {
        EXPECT_TRUE(fileBytes(target) == oldBytes) << "the older file of that name was damaged";
    }
}

INSTANTIATE_TEST_SUITE_P(Faults, ExportPlace,
                         ::testing::Combine(::testing::ValuesIn(places()),
                                            ::testing::Values(Writer::Xls, Writer::Xlsx, Writer::Stored)),
                         [](const auto &info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    suffix(std::get<1>(info.param)).toStdString();
                         });

}  // namespace
}  // namespace mhbk::test

namespace mhbk::xlsout {
void PrintTo(ExcelFormat format, std::ostream *os) { *os << (format == ExcelFormat::Xls ? "xls" : "xlsx"); }
} // namespace mhbk::xlsout

namespace mhbk::test {
namespace {

class KilledExport : public ::testing::TestWithParam<ExcelFormat> {};

TEST_P(KilledExport, TheChosenNameNeverHoldsAHalfFile)
{
    const ExcelFormat format = GetParam();
    TestDatabaseCopy db;
    QTemporaryDir out;
    const QString target = QDir(out.path()).filePath(QStringLiteral("导出.") + suffix(format));
    QRandomGenerator random(77);
    for (int round = 0; round < 16; ++round) {
        QProcess child;
        child.start(faultChild(), {QStringLiteral("export"), db.path(), target, suffix(format)});
        ASSERT_TRUE(child.waitForReadyRead(30000)) << child.readAllStandardError().toStdString();
        QThread::msleep(random.bounded(1, 60));
        child.kill();
        child.waitForFinished();
        const QByteArray bytes = fileBytes(target);
        ASSERT_TRUE(isCompleteExcelFile(bytes, format)) << "round " << round << ": " << bytes.size() << " bytes";
    }
    // Temporary files of killed exports are hidden and never carry the chosen name.
    for (const QString &name : folderEntries(out.path()))
        EXPECT_TRUE(name == QFileInfo(target).fileName() || name.startsWith(QLatin1Char('.'))) << name.toStdString();
    RecordProperty("temporary_files_left_by_kills", static_cast<int>(folderEntries(out.path()).size()) - 1);
}

INSTANTIATE_TEST_SUITE_P(Faults, KilledExport, ::testing::Values(ExcelFormat::Xls, ExcelFormat::Xlsx),
                         [](const auto &info) { return std::string(info.param == ExcelFormat::Xls ? "xls" : "xlsx"); });

// Answers the window's save dialog with `path` as soon as it is open.
void answerSaveDialog(const QString &path)
{
    auto *timer = new QTimer(qApp);
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, path] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        // The name typed in full: selectFile() changes folders asynchronously in the widget dialog.
        if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            name->setText(path);
        else
            dialog->selectFile(path);
        static_cast<QDialog *>(dialog)->done(QDialog::Accepted); // as "保存" would, without its checks
        timer->deleteLater();
    });
    timer->start();
}

TEST(ExportCommand, AnUnwritablePlaceIsReportedThroughTheWindowAndAGoodOneWorks)
{
    TestDatabaseCopy db;
    RecordingReporter reporter;
    auto window = makeMainWindow(reporter, db.path());
    window->show();
    window->selectPage(49);
    QApplication::processEvents();
    if (!hasWorkbook(window->page(49)))
        GTEST_SKIP() << "the workbook pages are not in the main window yet";
    QAction *exportAction = window->findChild<QAction *>(QStringLiteral("actExportExcel"));
    ASSERT_TRUE(exportAction);

    QTemporaryDir root;
    QDir(root.path()).mkpath(QStringLiteral("只读"));
    Unwritable guard(root.path() + QStringLiteral("/只读"));
    if (!guard.active())
        GTEST_SKIP() << guard.why().toStdString();
    const QString bad = root.path() + QStringLiteral("/只读/导出.xls");
    answerSaveDialog(bad);
    exportAction->trigger();
    ASSERT_TRUE(errorReportedSince(reporter, 0)) << "the failed export was not reported";
    EXPECT_TRUE(reporter.last().text.contains(QDir::toNativeSeparators(bad))) << reporter.last().text.toStdString();

    const QString good = root.path() + QStringLiteral("/导出.xls");
    const std::size_t from = reporter.size();
    answerSaveDialog(good);
    exportAction->trigger();
    EXPECT_FALSE(errorReportedSince(reporter, from)) << messagesSince(reporter, from).toStdString();
    EXPECT_TRUE(isCompleteExcelFile(fileBytes(good), ExcelFormat::Xls));
}

} // namespace
} // namespace mhbk::test
