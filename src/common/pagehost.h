#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace mhbk {

class Reporter;
class HandbookDatabase;
class QueryDataset;
class UnsavedWork;

// "插入", "删除" and "保存" of the bottom bar act on the editable grid of the page on screen.
class RowEditor {
public:
    virtual ~RowEditor() = default;
    virtual void insertItem() = 0;
    virtual void deleteItem() = 0;
    virtual void save() = 0;
};

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

    // The object behind "插入", "删除" and "保存" while this page is on screen; owned by the
    // caller. The buttons are enabled only on the pages the page registry marks as editable.
    virtual void setRowEditor(int pageIndex, RowEditor *editor) = 0;

    // Called with the active page's index after every change of the tree's selection.
    virtual void setPageLoader(std::function<void(int pageIndex)> loader) = 0;

    virtual void setSpreadsheetCommands(SpreadsheetCommands *commands) = 0;

    // The folder for what the program keeps for this user between runs (history, lists,
    // corrected reference values, recent files); empty: nothing is kept (tests, batch runs).
    virtual QString userDataFolder() const = 0;

    // Work the user may not have saved, asked about before the window closes (see
    // UnsavedWork); owned by the caller. pageIndex is the page brought on screen for the
    // question, or -1 when the work belongs to no page.
    virtual void addUnsavedWork(UnsavedWork *work, int pageIndex) = 0;

    // A short note in the window's status area, such as the confirmation of a save.
    virtual void showStatus(const QString &text) = 0;
};

} // namespace mhbk
