#pragma once

#include "common/pagehost.h"
#include "common/reporter.h"
#include "data/database.h"
#include "data/datasets.h"

#include <QStringList>
#include <QTabWidget>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace mhbk::test {

// A stand-in for the main window: the registry's tab sheets in a tab widget, the shared datasets on
// a database file, and a recording reporter. showPage() runs the page's show handlers the way
// the main window does when the tree selects a page.
class FakePageHost : public PageHost {
public:
    explicit FakePageHost(const QString &databasePath);
    ~FakePageHost() override;

    Reporter &reporter() override { return reporter_; }
    RecordingReporter &recorder() { return reporter_; }
    HandbookDatabase &database() override { return db_; }
    QueryDataset &query() override { return query_; }
    QWidget *page(int index) const override;
    QWidget *window() const override { return tabs_.get(); }
    void addShowHandler(int pageIndex, std::function<void()> handler) override;
    void registerPageServices(int pageIndex, const PageServices &services) override;
    PageServices pageServices(int pageIndex) override { return services_.lookup(pageIndex); }
    void setPageBuilder(int pageIndex, std::function<void()> build) override { services_.setBuilder(pageIndex, std::move(build)); }
    void setPageLoader(std::function<void(int)> loader) override { loader_ = std::move(loader); }
    void setSpreadsheetCommands(SpreadsheetCommands *commands) override { spreadsheet_ = commands; }
    QString userDataFolder() const override { return userDataFolder_; }
    void setUserDataFolder(const QString &folder) { userDataFolder_ = folder; }
    void addUnsavedWork(UnsavedWork *work, int pageIndex) override { unsavedWork_.push_back({work, pageIndex}); }
    void showStatus(const QString &text) override { statusMessages_.push_back(text); }

    struct UnsavedEntry {
        UnsavedWork *work;
        int pageIndex;
    };
    const std::vector<UnsavedEntry> &unsavedWork() const { return unsavedWork_; }
    // Every status-area note so far, oldest first.
    const QStringList &statusMessages() const { return statusMessages_; }

    // Makes the page active, runs its show handlers (errors go to the general error report,
    // as in the program) and then the page loader.
    void showPage(int index);

    QTabWidget &tabs() { return *tabs_; }
    // The row editor of a page; nullptr for a page without one.
    RowEditor *rowEditor(int pageIndex) { return pageServices(pageIndex).rowEditor; }
    SpreadsheetCommands *spreadsheetCommands() const { return spreadsheet_; }

private:
    RecordingReporter reporter_;
    HandbookDatabase db_;
    QueryDataset query_;
    std::unique_ptr<QTabWidget> tabs_;
    std::vector<QWidget *> pages_;
    std::map<int, std::vector<std::function<void()>>> showHandlers_;
    PageServiceTable services_;
    SpreadsheetCommands *spreadsheet_ = nullptr;
    std::function<void(int)> loader_;
    QString userDataFolder_;
    std::vector<UnsavedEntry> unsavedWork_;
    QStringList statusMessages_;
};

// Runs a handler the way the application's event loop does: an AppError or other exception
// that escapes it goes to the general error report.
void runHandler(Reporter &reporter, const std::function<void()> &handler);

} // namespace mhbk::test
