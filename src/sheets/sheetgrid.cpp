#include "sheets/sheetgrid.h"

#include "widgets/gridselection.h"
#include "sheets/sheetcalc.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyleOptionHeader>

namespace mhbk::sheets {

namespace {

constexpr int kColumnWidth = 68;
constexpr int kRowHeight = 18;
constexpr int kFontPixels = 12;

const QColor kEntryBackground(245, 245, 245);

bool isEnter(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

void paintItem(QTableWidgetItem *item, CellPaint paint)
{
    switch (paint) {
    case CellPaint::Ordinary:
        item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return;
    case CellPaint::CentredPlain:
        break;
    case CellPaint::Red:
        item->setForeground(Qt::red);
        break;
    case CellPaint::Blue:
        item->setForeground(Qt::blue);
        break;
    case CellPaint::Green:
        item->setForeground(QColor(0, 128, 0));
        break;
    case CellPaint::LengthEntry:
        item->setForeground(Qt::black);
        item->setBackground(kEntryBackground);
        break;
    }
    item->setTextAlignment(Qt::AlignCenter);
}

// Typing that the entry filter discards: any key that produces text (control characters
// such as Ctrl+V included) other than what the filter lets through.
bool discardsKey(const SheetDescription &sheet, int column, int row, const QKeyEvent *event,
                 const QString &cellText)
{
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Delete:
        return false;  // navigation and editing keys, not typed characters
    default:
        break;
    }
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    return !acceptsChar(sheet, column, row, text.front(), cellText);
}

} // namespace

SheetGrid::SheetGrid(const SheetDescription &sheet, QWidget *parent)
    : QTableWidget(sheet.rowCount() - 1, kColumnCount - 1, parent), sheet_(sheet)
{
    setObjectName(QStringLiteral("StringGrid1"));
    // The 68-pixel columns are laid out for a 12-pixel font, captions included.
    QFont small = font();
    small.setPixelSize(kFontPixels);
    setFont(small);
    horizontalHeader()->setFont(small);
    verticalHeader()->setFont(small);
    horizontalHeader()->setMinimumSectionSize(4);
    horizontalHeader()->setDefaultSectionSize(kColumnWidth);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);  // captions, not row or column selectors
    verticalHeader()->setMinimumSectionSize(4);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setFixedWidth(kColumnWidth);
    verticalHeader()->setHighlightSections(false);
    verticalHeader()->setSectionsClickable(false);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setItemDelegate(new LengthDelegate(sheet_, this));

    for (int c = 1; c < kColumnCount; ++c)
        setHorizontalHeaderItem(c - 1, new QTableWidgetItem);
    for (int r = 1; r < sheet_.rowCount(); ++r) {
        setVerticalHeaderItem(r - 1, new QTableWidgetItem);
        for (int c = 1; c < kColumnCount; ++c) {
            auto *item = new QTableWidgetItem;
            Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
            if (isLengthCell(sheet_, c, r))
                flags |= Qt::ItemIsEditable;
            item->setFlags(flags);
            setItem(r - 1, c - 1, item);
        }
    }
    applyPaint();

    // findChild: the grid's own corner button, which QTableView makes and offers no accessor for.
    corner_ = findChild<QAbstractButton *>();
    if (corner_)
        corner_->installEventFilter(this);
}

void SheetGrid::applyPaint()
{
    for (int c = 1; c < kColumnCount; ++c)
        paintItem(horizontalHeaderItem(c - 1), cellPaint(sheet_, c, 0));
    for (int r = 1; r < sheet_.rowCount(); ++r) {
        paintItem(verticalHeaderItem(r - 1), cellPaint(sheet_, 0, r));
        for (int c = 1; c < kColumnCount; ++c)
            paintItem(item(r - 1, c - 1), cellPaint(sheet_, c, r));
    }
}

QString SheetGrid::cell(int column, int row) const
{
    if (row == 0 && column == 0)
        return sheet_.rows.front().label;
    const QTableWidgetItem *it = row == 0      ? horizontalHeaderItem(column - 1)
                                 : column == 0 ? verticalHeaderItem(row - 1)
                                               : item(row - 1, column - 1);
    return it ? it->text() : QString();
}

void SheetGrid::setCell(int column, int row, const QString &text)
{
    if (row == 0 && column == 0)
        return;  // the corner caption is fixed
    QTableWidgetItem *it = row == 0      ? horizontalHeaderItem(column - 1)
                           : column == 0 ? verticalHeaderItem(row - 1)
                                         : item(row - 1, column - 1);
    if (it && it->text() != text)
        it->setText(text);
}

void SheetGrid::setGridCell(int column, int row)
{
    setCurrentCell(row - 1, column - 1);
}

void SheetGrid::pressEnter()
{
    if (enterHandler_)
        enterHandler_();
}

void SheetGrid::keyPressEvent(QKeyEvent *event)
{
    if (isEnter(event)) {
        pressEnter();
        return;
    }
    if (event->matches(QKeySequence::Copy)) {  // before the entry filter, which drops control characters
        copySelectedCells(*this);
        event->accept();
        return;
    }
    if (discardsKey(sheet_, gridColumn(), gridRow(), event, currentCellText())) {
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void SheetGrid::paintEvent(QPaintEvent *event)
{
    QTableWidget::paintEvent(event);
    paintCurrentCellFrame(*this);
}

bool SheetGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == corner_ && event->type() == QEvent::Paint) {
        paintCorner(corner_);
        return true;
    }
    return QTableWidget::eventFilter(watched, event);
}

void SheetGrid::paintCorner(QWidget *corner)
{
    QPainter painter(corner);
    QStyleOptionHeader option;
    option.initFrom(corner);
    // The corner button is disabled (it must not select everything) but reads as a caption.
    option.state |= QStyle::State_Enabled;
    option.palette = palette();
    option.rect = corner->rect();
    option.text = sheet_.rows.front().label;
    option.textAlignment = Qt::AlignCenter;
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.state |= QStyle::State_Raised;
    corner->style()->drawControl(QStyle::CE_Header, &option, &painter, corner);
}

LengthDelegate::LengthDelegate(const SheetDescription &sheet, SheetGrid *grid)
    : QStyledItemDelegate(grid), sheet_(sheet), grid_(grid)
{
}

QWidget *LengthDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const
{
    auto *editor = new QLineEdit(parent);
    editor->setFrame(false);
    editor->setAlignment(Qt::AlignCenter);
    connect(editor, &QLineEdit::textChanged, this, [this, editor] {
        emit const_cast<LengthDelegate *>(this)->commitData(editor);
    });
    return editor;
}

void LengthDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    // The cell follows the editor while typing; writing the same text back would move the caret.
    auto *line = qobject_cast<QLineEdit *>(editor);
    const QString text = index.data(Qt::EditRole).toString();
    if (line && line->text() != text) {
        const QSignalBlocker quiet(line);  // the cell already holds this text
        line->setText(text);
    }
}

bool LengthDelegate::eventFilter(QObject *watched, QEvent *event)
{
    auto *editor = qobject_cast<QLineEdit *>(watched);
    if (editor && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (isEnter(key)) {
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            grid_->pressEnter();
            return true;
        }
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            // Tab goes on to the neighbouring cell, not to the next length to edit.
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            QCoreApplication::sendEvent(grid_, key);
            return true;
        }
        if (discardsKey(sheet_, grid_->gridColumn(), grid_->gridRow(), key, editor->text()))
            return true;
    }
    return QStyledItemDelegate::eventFilter(watched, event);
}

} // namespace mhbk::sheets
