#pragma once

#include "common/pageservices.h"

#include <QString>

#include <functional>

class QWidget;

namespace mhbk {

class Reporter;
class HandbookDatabase;
class QueryDataset;
class UnsavedWork;

// "输出到Excel" and "打印预览" act on the spreadsheet control of the active page.
class SpreadsheetCommands {
public:
    virtual ~SpreadsheetCommands() = default;
    virtual bool hasSpreadsheet(QWidget *page) const = 0;
    virtual void exportExcel(QWidget *page) = 0;
    virtual void printPreview(QWidget *page) = 0;
};

// What the main window offers the pages it holds: the reporter, the database (each page
// reads its tables through datasets of its own), the shared statement dataset, the tab
// sheets, and places to hook page-specific behaviour in. Every subsystem's
// installer receives it; nothing is reached through globals.
class PageHost {
public:
    virtual ~PageHost() = default;

    virtual Reporter &reporter() = 0;
    virtual HandbookDatabase &database() = 0;
    virtual QueryDataset &query() = 0;

    // The tab sheet with this page index (0 to 51), and the main window itself.
    virtual QWidget *page(int index) const = 0;
    virtual QWidget *window() const = 0;

    // Runs every time the page becomes the active page, after the bottom-bar buttons
    // have been set from the page catalogue.
    virtual void addShowHandler(int pageIndex, std::function<void()> handler) = 0;

    // What a page offers the takeoff list, the search, the row commands and Ctrl+S, and the
    // question before closing (see PageServices); owned by the caller, and added to what the
    // page registered before. A page built on its first showing registers when it is built.
    // 插入, 删除 and 保存 are enabled only on the pages the page registry marks as editable.
    virtual void registerPageServices(int pageIndex, const PageServices &services) = 0;
    // What a page offers; a page not yet built is built first (see setPageBuilder).
    virtual PageServices pageServices(int pageIndex) = 0;
    // How a page built on its first showing is built, for a lookup that comes before it is
    // shown. The builder must do nothing once the page is built.
    virtual void setPageBuilder(int pageIndex, std::function<void()> build) = 0;

    // Called with the active page's index after every change of the tree's selection.
    virtual void setPageLoader(std::function<void(int pageIndex)> loader) = 0;

    virtual void setSpreadsheetCommands(SpreadsheetCommands *commands) = 0;

    // The folder for what the program keeps for this user between runs (history, lists,
    // corrected reference values, recent files); empty: nothing is kept (tests, batch runs).
    virtual QString userDataFolder() const = 0;

    // Work the user may not have saved, asked about before the window closes (see
    // UnsavedWork); owned by the caller. A page's own work comes through registerPageServices. pageIndex is the page brought on screen for the
    // question, or -1 when the work belongs to no page.
    virtual void addUnsavedWork(UnsavedWork *work, int pageIndex) = 0;

    // A short note in the window's status area, such as the confirmation of a save.
    virtual void showStatus(const QString &text) = 0;
};

} // namespace mhbk
