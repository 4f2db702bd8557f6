#include "faultwindow.h"

#include "common/pageregistry.h"
#include "data/database.h"
#include "data/datasets.h"
#include "widgets/stringgrid.h"
#include "support/testdb.h"
#include "workbooks/engine/workbookjson.h"
#include "workbooks/view/spreadsheetcommands.h"
#include "workbooks/view/spreadsheetview.h"

#include <QApplication>
#include <QComboBox>
#include <QCryptographicHash>
#include <QLabel>
#include <QTableWidget>
#include <QToolButton>
#include <QUrl>

namespace mhbk::test {

QString pageContent(QWidget *page)
{
    QString content;
    for (const auto *grid : page->findChildren<QTableWidget *>()) {
        for (int r = 0; r < grid->rowCount(); ++r) {
            for (int c = 0; c < grid->columnCount(); ++c) {
                const QTableWidgetItem *item = grid->item(r, c);
                content += (item ? item->text() : QString()) + QLatin1Char('\t');
            }
            content += QLatin1Char('\n');
        }
    }
    for (const auto *combo : page->findChildren<QComboBox *>())
        for (int i = 0; i < combo->count(); ++i)
            content += combo->itemText(i) + QLatin1Char('|');
    for (const auto *label : page->findChildren<QLabel *>())
        content += label->text() + QLatin1Char('\n');
    if (const view::SpreadsheetView *book = view::pageSpreadsheet(page)) {
        const QByteArray stored = wb::saveWorkbook(book->workbook());
        content += QStringLiteral("workbook ") +
                   QString::fromLatin1(QCryptographicHash::hash(stored, QCryptographicHash::Sha1).toHex());
    }
    return content;
}

bool hasWorkbook(QWidget *page) { return view::pageSpreadsheet(page) != nullptr; }

const std::vector<QString> &healthyContents()
{
    static const std::vector<QString> contents = [] {
        TestDatabaseCopy db;
        RecordingReporter reporter;
        auto window = makeMainWindow(reporter, db.path());
        std::vector<QString> all;
        for (int page = 0; page < kPageCount; ++page) {
            window->selectPage(page);
            QApplication::processEvents();
            all.push_back(pageContent(window->page(page)));
        }
        return all;
    }();
    return contents;
}

QString messagesSince(const RecordingReporter &reporter, std::size_t from)
{
    QString joined;
    for (std::size_t i = from; i < reporter.size(); ++i)
        joined += QStringLiteral("[%1] %2\n").arg(reporter.entries()[i].caption, reporter.entries()[i].text);
    return joined;
}

bool errorReportedSince(const RecordingReporter &reporter, std::size_t from)
{
    for (std::size_t i = from; i < reporter.size(); ++i) {
        const auto &entry = reporter.entries()[i];
        if (entry.caption == kApplicationTitle && entry.icon == MessageIcon::Critical && !entry.text.isEmpty())
            return true;
    }
    return false;
}

StringGrid *editableGrid(MainWindow &window, int page)
{
    return window.page(page)->findChild<StringGrid *>(page == 2 ? QStringLiteral("StringGrid1")
                                                                : QStringLiteral("StringGrid2"));
}

void clickButton(MainWindow &window, const char *objectName)
{
    window.findChild<QToolButton *>(QString::fromLatin1(objectName))->click();
}

bool tableHolds(const QString &databasePath, const QString &table, const QString &text)
{
    HandbookDatabase db(databasePath);
    TableDataset records(db);
    records.open(table);
    for (records.first(); !records.eof(); records.next())
        for (int field = 0; field < records.fieldCount(); ++field)
            if (records.fieldText(field) == text)
                return true;
    return false;
}

} // namespace mhbk::test
