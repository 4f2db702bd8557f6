#pragma once

// The real main window on a database of the test's choosing, and what its pages show.

#include "app/mainwindow.h"
#include "common/reporter.h"
#include "support/testwindow.h"

#include <QString>
#include <memory>
#include <vector>

class QToolButton;

namespace mhbk {
class StringGrid;
}

namespace mhbk::test {

// Everything a page shows that can come from the database: grid cells, combo box items,
// labels, and the stored form of a workbook on the page.
QString pageContent(QWidget *page);

// Whether the page holds a spreadsheet control as its first child.
bool hasWorkbook(QWidget *page);

// What every page shows on the intact database, in page order; computed once.
const std::vector<QString> &healthyContents();

// Messages the reporter gained after `from`, joined for a failure message.
QString messagesSince(const RecordingReporter &reporter, std::size_t from);
// Whether a general error report arrived after `from`.
bool errorReportedSince(const RecordingReporter &reporter, std::size_t from);

// The grid of an editable page (2: StringGrid1, 3: StringGrid2) and the bottom-bar buttons.
StringGrid *editableGrid(MainWindow &window, int page);
void clickButton(MainWindow &window, const char *objectName);

// Whether any record of the table holds `text` in one of its fields, read afresh from the file.
bool tableHolds(const QString &databasePath, const QString &table, const QString &text);

} // namespace mhbk::test
