#pragma once

#include "workbooks/pages/workbookfile.h"

#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class QUndoStack;

namespace mhbk {
class PageHost;
class UnsavedWork;
} // namespace mhbk

namespace mhbk::workbooks {

// The filled workbook pages as documents: saving a page's workbook to a .mhbk file, putting an
// opened file back on its page, the file each page was last saved to or opened from, and each
// page's changes since then as unsaved work (the sheet's undo stack is clean after a save or an
// open). Every workbook page registers with the host's unsaved work.
class WorkbookDocuments : public QObject {
public:
    // `askSavePath` asks where to save a page that has no file yet (a dialog in the program);
    // nothing: the user cancelled.
    using SavePathAsker = std::function<std::optional<QString>(int pageIndex)>;

    WorkbookDocuments(PageHost &host, SavePathAsker askSavePath, QObject *parent);
    ~WorkbookDocuments() override;

    // Whether the page has its sheet built (it has been shown and holds a workbook).
    bool hasSheet(int pageIndex) const;
    QString filePath(int pageIndex) const;

    // Writes the page's workbook, typing still open in a cell included. Problems go to the
    // reporter; true on success, with a confirmation in the status area.
    bool save(int pageIndex, const QString &path);
    // Saves to the page's file, or asks where first; false when cancelled or failed.
    bool saveOrAsk(int pageIndex);

    // Puts a workbook read from `path` on its page, whose sheet must be built (the caller
    // shows the page first). Returns false when the page has no sheet.
    bool place(const PageWorkbook &opened, const QString &path);

    // Called with the page after its file changed (a save, an open), so that the window's title
    // can follow.
    void setFileChangedHandler(std::function<void(int pageIndex)> handler) { fileChanged_ = std::move(handler); }

    // The undo stack of the page's sheet, whose clean state tells whether it has unsaved
    // changes; nullptr before the sheet is built.
    QUndoStack *undoStack(int pageIndex) const;

    // The page's changes as unsaved work; nullptr for a page that is no workbook page.
    UnsavedWork *unsavedWork(int pageIndex) const;

private:
    class PageWork;
    PageHost &host_;
    SavePathAsker askSavePath_;
    std::map<int, QString> files_;
    std::function<void(int)> fileChanged_;
    std::vector<std::unique_ptr<PageWork>> work_;
};

} // namespace mhbk::workbooks
