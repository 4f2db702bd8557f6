#pragma once

#include "common/pagehost.h"

#include <QObject>
#include <QString>
#include <memory>
#include <optional>

class QFileDialog;

namespace mhbk::view {

class SpreadsheetView;

// Asks the user where to write the Excel file; nothing when cancelled.
class SavePathPrompt {
public:
    virtual ~SavePathPrompt() = default;
    virtual std::optional<QString> askSavePath() = 0;
};

// The window's one save dialog ("SaveDialog"): .xls first, .xlsx second, default suffix per
// filter, confirmation before overwriting, and the last chosen name offered again.
class SaveDialogPrompt : public SavePathPrompt {
public:
    explicit SaveDialogPrompt(QWidget *parent);
    std::optional<QString> askSavePath() override;
    // The one dialog of the window's life, so it offers the last name chosen.
    QFileDialog *dialog() const;

    static QString xlsFilter();
    static QString xlsxFilter();

private:
    static QFileDialog *makeDialog(QWidget *parent);

    QWidget *parent_;
    mutable QFileDialog *dialog_ = nullptr; // owned by the parent window
    QString lastPath_;
};

// The spreadsheet control of a page: its first child widget, when that is a SpreadsheetView.
SpreadsheetView *pageSpreadsheet(QWidget *page);

// "输出到Excel" and "打印预览" for the main window.
class WorkbookCommands : public QObject, public SpreadsheetCommands {
public:
    // `reporter` receives what goes wrong while the print preview paints.
    WorkbookCommands(std::unique_ptr<SavePathPrompt> prompt, Reporter &reporter, QObject *parent);
    bool hasSpreadsheet(QWidget *page) const override;
    void exportExcel(QWidget *page) override;
    void printPreview(QWidget *page) override;

private:
    std::unique_ptr<SavePathPrompt> prompt_;
    Reporter &reporter_;
};

} // namespace mhbk::view
