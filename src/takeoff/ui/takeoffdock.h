#pragma once

#include "common/pageservices.h"
#include "common/unsavedwork.h"
#include "takeoff/takeofflist.h"
#include "workbooks/export/workbookexport.h"

#include <QDockWidget>
#include <functional>
#include <map>
#include <memory>
#include <optional>

class QLabel;
class QPagedPaintDevice;
class QTableView;
class QTreeWidget;
class QUndoStack;

namespace mhbk {
class Reporter;
}

namespace mhbk::takeoff {

class TakeoffModel;

// What a file dialog is asked for.
enum class FileRequest { Open, SaveAs, ExportXlsx, ExportXls };

// The list window: the lines in an editable table, their totals below, and the commands
// (move, delete, undo, open, save, export, print). The current list is saved after every
// change to `autosavePath` (empty: not kept); a file the user opened or saved is written
// only when the user saves it.
class TakeoffDock : public QDockWidget, public UnsavedWork {
    Q_OBJECT
public:
    TakeoffDock(Reporter &reporter, QString autosavePath, QWidget *parent = nullptr);
    ~TakeoffDock() override;

    // Where the pages' offers come from: the offering of a page by its index (null for a page
    // that offers none); and the page now on screen.
    void setOfferings(std::function<TakeoffOffering *(int pageIndex)> offeringOf) { offeringOf_ = std::move(offeringOf); }
    void setActivePage(int index) { activePage_ = index; }
    bool activePageOffers() const { return activeOffering() != nullptr; }

    // Stand-ins for the dialogs, for tests: the file dialogs and the quantity question.
    void setFileChooser(std::function<QString(FileRequest)> chooser) { chooseFile_ = std::move(chooser); }
    void setQuantityAsker(std::function<std::optional<double>(const Line &)> asker) { askQuantity_ = std::move(asker); }

    // 加入清单 (Ctrl+Enter): the active page's line, after asking for its quantity if need be.
    void addFromActivePage();
    void moveCurrent(int step);
    void deleteSelected();
    void openFile();
    void save();
    void saveAs();
    void exportExcel(xlsout::ExcelFormat format);
    void printPreview();
    void clearList();

    // The steps behind the commands, without dialogs.
    void openPath(const QString &path);
    void saveToPath(const QString &path);
    int print(QPagedPaintDevice &device) const;

    const List &list() const;
    TakeoffModel &model() const { return *model_; }
    QUndoStack &undoStack() const { return *undo_; }
    QTableView *table() const { return table_; }
    QTreeWidget *totalsTree() const { return totals_; }
    QLabel *grandTotalLabel() const { return grandTotal_; }
    const QString &filePath() const { return filePath_; }
    // Where the file dialog for the request starts: the list's own file, else the list's name
    // in the folder the user last chose a file in, else in the documents or home folder.
    QString suggestedPath(FileRequest request) const;
    // A file the user opened or saved has changes not yet saved to it.
    bool hasUnsavedFile() const;

    // UnsavedWork: only such a file; the list itself is kept after every change.
    bool hasUnsavedChanges() override { return hasUnsavedFile(); }
    QString unsavedDescription() const override;
    bool saveChanges() override;

    // Small while the list is empty, then room for a few lines; once the user has resized the
    // docked list, that height, kept between runs beside the list itself.
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QString stateFile() const;
    void restoreFileName();
    void rememberFileName();
    QWidget *buildToolBar();
    void buildBody();
    void onListChanged();
    void showTotals();
    void autosave();
    void loadAutosave();
    void updateTitle();
    void guarded(const std::function<void()> &handler);
    TakeoffOffering *activeOffering() const { return offeringOf_ ? offeringOf_(activePage_) : nullptr; }
    QString chooseFile(FileRequest request);
    QString askPath(bool saving, const QString &title, const QString &suggested, const QString &filter);

    Reporter &reporter_;
    QString autosavePath_;
    QString filePath_;
    QString lastFolder_;
    bool autosaveFailed_ = false;
    int activePage_ = -1;
    std::function<TakeoffOffering *(int)> offeringOf_;
    std::function<QString(FileRequest)> chooseFile_;
    std::function<std::optional<double>(const Line &)> askQuantity_;
    std::unique_ptr<QUndoStack> undo_;
    TakeoffModel *model_ = nullptr;
    QTableView *table_ = nullptr;
    QTreeWidget *totals_ = nullptr;
    QLabel *grandTotal_ = nullptr;
    QWidget *bar_ = nullptr;
    int keptHeight_ = 0; // the docked height the user chose; 0: none yet
    bool restoredChanges_ = false; // the kept list differs from its file
};

} // namespace mhbk::takeoff
