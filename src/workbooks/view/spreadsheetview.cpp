#include "workbooks/view/spreadsheetview.h"

#include "common/errors.h"
#include "common/guarded.h"
#include "workbooks/engine/workbook.h"
#include "workbooks/engine/workbookjson.h"
#include "workbooks/export/workbookexport.h"
#include "workbooks/view/cellpainter.h"
#include "workbooks/view/sheetgeometry.h"
#include "workbooks/view/sheetprint.h"

#include <QDir>
#include <QLineEdit>
#include <QPainter>
#include <QPaintEvent>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QUndoStack>

namespace mhbk::view {

namespace {
// Enough for a day's filling of the largest sheet; each step holds only the texts it changed.
constexpr int kUndoSteps = 1000;
} // namespace

SpreadsheetView::SpreadsheetView(QWidget *parent) : QAbstractScrollArea(parent)
{
    setObjectName(QStringLiteral("TF1Book"));
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setAutoFillBackground(true);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setMouseTracking(false);
    undo_ = new QUndoStack(this);
    undo_->setUndoLimit(kUndoSteps);
    auto book = std::make_unique<wb::Workbook>();
    setWorkbook(std::move(book));
}

SpreadsheetView::~SpreadsheetView()
{
    // A stack with steps says it is clean as it goes; whoever listens (the window's title) may be
    // half taken down by then and must not hear of it.
    QObject::disconnect(undo_, nullptr, nullptr, nullptr);
}

void SpreadsheetView::setWorkbook(std::unique_ptr<wb::Workbook> book)
{
    cancelEdit();
    if (book->sheetCount() == 0)
        book->addSheet(QStringLiteral("Sheet1"));
    // The view refers to the geometry of the book it shows; drop it before the book goes.
    geometry_.reset();
    book_ = std::move(book);
    current_ = anchor_ = {};
    undo_->clear();
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    layoutChanged();
}

int SpreadsheetView::sheetIndex() const
{
    return std::clamp(book_->activeSheet(), 0, book_->sheetCount() - 1);
}

void SpreadsheetView::layoutChanged()
{
    geometry_ = std::make_unique<SheetGeometry>(book_->sheet(sheetIndex()));
    updateScrollBars();
    placeEditor();
    viewport()->update();
}

void SpreadsheetView::loadFromData(const QByteArray &data)
{
    wb::LoadError error;
    auto book = wb::loadWorkbook(data, &error);
    if (!book)
        throw AppError(QStringLiteral("工作簿数据有误：%1").arg(error.message));
    setWorkbook(std::make_unique<wb::Workbook>(std::move(*book)));
}

void SpreadsheetView::saveToFile(const QString &path, FileType fileType) const
{
    switch (fileType) {
    case FileType::Excel97: xlsout::exportWorkbook(*book_, path, xlsout::ExcelFormat::Xls); return;
    case FileType::Excel2007: xlsout::exportWorkbook(*book_, path, xlsout::ExcelFormat::Xlsx); return;
    case FileType::Workbook: {
        QString error;
        if (!wb::saveWorkbookFile(*book_, path, &error))
            throw AppError(QStringLiteral("无法写入文件“%1”：%2").arg(QDir::toNativeSeparators(path), error));
        return;
    }
    }
}

void SpreadsheetView::setCurrentCell(int row, int col)
{
    const wb::CellAddress cell{std::clamp(row - 1, 0, wb::kMaxRows - 1), std::clamp(col - 1, 0, wb::kMaxColumns - 1)};
    commitEdit();
    current_ = anchor_ = cell;
    ensureVisible(cell);
    viewport()->update();
}

QString SpreadsheetView::cellText() const { return cellText(current_.row + 1, current_.col + 1); }

void SpreadsheetView::setCellText(const QString &text) { setCellText(current_.row + 1, current_.col + 1, text); }

QString SpreadsheetView::cellText(int row, int col) const
{
    if (row < 1 || col < 1 || row > wb::kMaxRows || col > wb::kMaxColumns)
        return QString();
    return book_->displayText(sheetIndex(), row - 1, col - 1);
}

void SpreadsheetView::setCellText(int row, int col, const QString &text)
{
    if (row < 1 || col < 1 || row > wb::kMaxRows || col > wb::kMaxColumns)
        throw AppError(QStringLiteral("单元格位置无效：第%1行第%2列").arg(row).arg(col));
    book_->setInput(sheetIndex(), row - 1, col - 1, text);
    updateScrollBars();
    viewport()->update();
    emit cellChanged(row, col);
}

void SpreadsheetView::setColumnRangeHidden(int firstCol, int lastCol, bool hidden)
{
    if (firstCol > lastCol)
        std::swap(firstCol, lastCol);
    firstCol = std::max(firstCol, 1);
    lastCol = std::min(lastCol, wb::kMaxColumns);
    if (firstCol > lastCol)
        return;
    book_->sheet(sheetIndex()).setColumnsHidden(firstCol - 1, lastCol - 1, hidden);
    layoutChanged();
}

void SpreadsheetView::renderForPrint(QPrinter *printer) const { printSheet(*book_, sheetIndex(), *printer); }

void SpreadsheetView::openPrintPreview(Reporter &reporter)
{
    commitEdit();
    QPrinter printer(QPrinter::HighResolution);
    applyPageSetup(*book_, sheetIndex(), printer);
    QPrintPreviewDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("PrintPreview"));
    dialog.setWindowTitle(QStringLiteral("打印预览"));
    connectGuarded(&dialog, &QPrintPreviewDialog::paintRequested, this, reporter,
                   [this](QPrinter *target) { renderForPrint(target); });
    dialog.exec();
}


void SpreadsheetView::updateScrollBars()
{
    const wb::Sheet &sheet = book_->sheet(sheetIndex());
    int rows = std::max(sheet.rowCount(), current_.row + 1), cols = std::max(sheet.columnCount(), current_.col + 1);
    for (const wb::CellRange &m : sheet.merges()) {
        rows = std::max(rows, m.lastRow + 1);
        cols = std::max(cols, m.lastCol + 1);
    }
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, geometry_->left(cols) - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setRange(0, std::max(0, geometry_->top(rows) - view.height()));
    verticalScrollBar()->setPageStep(view.height());
    verticalScrollBar()->setSingleStep(20);
}

void SpreadsheetView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void SpreadsheetView::scrollContentsBy(int, int)
{
    placeEditor();
    viewport()->update();
}

void SpreadsheetView::paintEvent(QPaintEvent *event)
{
    QPainter p(viewport());
    const int dx = horizontalScrollBar()->value(), dy = verticalScrollBar()->value();
    const QRect dirty = event->rect().translated(dx, dy);
    const wb::CellRange region{geometry_->rowAt(dirty.top()), geometry_->columnAt(dirty.left()),
                               geometry_->rowAt(dirty.bottom()), geometry_->columnAt(dirty.right())};
    p.translate(-dx, -dy);
    p.fillRect(dirty, Qt::white);
    paintCells(p, *book_, sheetIndex(), *geometry_, region,
               PaintOptions{book_->sheet(sheetIndex()).showGridlines(), true});

    // The selection is tinted and the current cell framed, as in every spreadsheet.
    const wb::CellRange sel = selection();
    const SheetGeometry::Rect s = geometry_->rangeRect(sel);
    if (sel.rowCount() > 1 || sel.columnCount() > 1)
        p.fillRect(QRect(s.x, s.y, s.w, s.h), QColor(0x21, 0x73, 0x46, 40));
    const SheetGeometry::Rect c = geometry_->cellRect(current_.row, current_.col);
    p.setPen(QPen(QColor(0x21, 0x73, 0x46), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(s.x, s.y, s.w, s.h).adjusted(0, 0, -1, -1));
    p.setPen(QPen(QColor(0x21, 0x73, 0x46), 1));
    p.drawRect(QRect(c.x, c.y, c.w, c.h).adjusted(1, 1, -2, -2));
}

} // namespace mhbk::view
