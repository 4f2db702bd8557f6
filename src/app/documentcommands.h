#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QAction;
class QMenu;

namespace mhbk {

class MainWindow;

namespace workbooks {
class WorkbookDocuments;
}

// The most recently saved or opened workbook files, newest first, at most eight, kept in the
// user's data folder (nothing is kept when it is empty).
class RecentFiles {
public:
    static constexpr int kMax = 8;
    explicit RecentFiles(QString folder);
    const QStringList &paths() const { return paths_; }
    void add(const QString &path);
    void remove(const QString &path);

private:
    void store() const;
    QString file_;
    QStringList paths_;
};

// 保存 (Ctrl+S), 另存为 (Ctrl+Shift+S) and 打开 (Ctrl+O) of the filled workbook pages, the recent
// files in the popup menu (the folder in each one's tooltip) and the file name in the window
// title, with "*" while the page has unsaved changes. On the unit and density pages Ctrl+S saves
// the grid, as 保存 in the bottom bar does.
class DocumentCommands : public QObject {
    Q_OBJECT

public:
    explicit DocumentCommands(MainWindow &window);
    ~DocumentCommands() override;

    void save();
    // Saves the page's workbook under a name chosen now; the page's file becomes that one and
    // the file it came from stays as it was.
    void saveAs();
    void open();
    // Opens a file as 打开 does once the name is chosen; false when refused or cancelled.
    bool openFile(const QString &path);
    workbooks::WorkbookDocuments &documents() { return *documents_; }
    const RecentFiles &recent() const { return recent_; }

private:
    void rebuildRecentMenu();
    void updateTitle();
    void afterSave(int page, bool saved);
    QString askOpenPath();
    QString startFolder() const;
    QString askSavePath(int pageIndex);

    MainWindow &window_;
    workbooks::WorkbookDocuments *documents_;
    RecentFiles recent_;
    QMenu *recentMenu_ = nullptr;
};

// Made once by the main window; owned by it.
DocumentCommands *installDocumentCommands(MainWindow &window);

} // namespace mhbk
