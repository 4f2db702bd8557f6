#include "sheets/sheetwindow.h"

#include "common/guarded.h"
#include "common/reporter.h"
#include "widgets/clampingspinbox.h"
#include "sheets/sheetgrid.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace mhbk::sheets {

namespace {

constexpr int kStripHeight = 41;
constexpr int kDefaultThickness = 20;
constexpr int kMaxThickness = 200;

} // namespace

SheetWindow::SheetWindow(const SheetDescription &sheet, Reporter &reporter, QWidget *parent)
    : QWidget(parent, Qt::FramelessWindowHint), sheet_(sheet), reporter_(reporter)
{
    setObjectName(sheet_.formName);
    setWindowTitle(QStringLiteral("钢管刷油保温计算表"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(createTitleStrip());
    grid_ = new SheetGrid(sheet_, this);
    layout->addWidget(grid_, 1);
    auto *note = new QLabel(sheet_.standardNote, this);
    note->setObjectName(QStringLiteral("lblStandardNote"));
    note->setWordWrap(true);
    note->setContentsMargins(8, 4, 8, 0);
    layout->addWidget(note);
    layout->addWidget(createBottomStrip());

    fillFirstSheet();

    // The box's own text signal stays silent for an emptied box; its editor's does not.
    // findChild: the spin box's own editor, which QSpinBox keeps protected.
    if (auto *editor = thickness_->findChild<QLineEdit *>())
        connectGuarded(editor, &QLineEdit::textChanged, this, reporter_,
                       [this](const QString &text) { onThicknessTextChanged(text); });
    connectGuarded(thickness_, &QSpinBox::valueChanged, this, reporter_, [this] { onThicknessChanged(); });
    connectGuarded(thickness_, &QSpinBox::editingFinished, this, reporter_, [this] { reportBadLengths(); });
    connectGuarded(grid_, &QTableWidget::currentCellChanged, this, reporter_,
                   [this](int row, int column) { onCellSelected(column + 1, row + 1); });
    // Enter reaches the window from the grid's key handler and from its cell editor's filter.
    grid_->setEnterHandler([this] { runGuarded(reporter_, [this] { onEnterPressed(); }); });
    connectGuarded(copyButton_, &QAbstractButton::clicked, this, reporter_, [this] { onCopyClicked(); });
}

QWidget *SheetWindow::createTitleStrip()
{
    auto *title = new QLabel(QStringLiteral("焊接钢管刷油面积、保温体积及保温面积计算表"), this);
    title->setObjectName(QStringLiteral("TitleLabel"));
    title->setAlignment(Qt::AlignCenter);
    title->setFixedHeight(kStripHeight);
    QFont font = title->font();
    font.setBold(true);
    font.setPixelSize(19);
    title->setFont(font);
    QPalette palette = title->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Link));
    title->setPalette(palette);
    return title;
}

QWidget *SheetWindow::createBottomStrip()
{
    auto *strip = new QWidget(this);
    strip->setFixedHeight(kStripHeight);
    auto *layout = new QHBoxLayout(strip);
    layout->setContentsMargins(8, 0, 8, 0);
    layout->addWidget(new QLabel(QStringLiteral("保温材料厚度（W）："), strip));
    thickness_ = new ClampingSpinBox(strip);
    thickness_->setObjectName(QStringLiteral("SpinEdit1"));
    thickness_->setRange(0, kMaxThickness);
    thickness_->setSingleStep(1);
    thickness_->setValue(kDefaultThickness);
    layout->addWidget(thickness_);
    layout->addSpacing(16);
    auto *copy = new QPushButton(QStringLiteral("复制到剪贴版"), strip);
    copy->setObjectName(QStringLiteral("SpeedButton1"));
    copyButton_ = copy;
    layout->addWidget(copy);
    layout->addStretch(1);
    return strip;
}

void SheetWindow::fillFirstSheet()
{
    writeCells(createSheet(sheet_, thickness_->value()));
    // The grid starts on the first length cell without counting as a selection.
    QSignalBlocker block(grid_);
    grid_->setGridCell(ColLength, 1);
}

TextGrid SheetWindow::readCells() const
{
    TextGrid cells(kColumnCount, sheet_.rowCount());
    for (int row = 0; row < sheet_.rowCount(); ++row) {
        for (int column = 0; column < kColumnCount; ++column)
            cells.setCell(column, row, grid_->cell(column, row));
    }
    return cells;
}

void SheetWindow::writeCells(const TextGrid &cells)
{
    for (int row = 0; row < sheet_.rowCount(); ++row) {
        for (int column = 0; column < kColumnCount; ++column)
            grid_->setCell(column, row, cells.cell(column, row));
    }
}

std::vector<BadLength> SheetWindow::recalculate(bool perMetreToo)
{
    TextGrid cells = readCells();
    if (perMetreToo)
        toCalculate(sheet_, cells, thickness_->value());
    badLengths_ = calculateAll(sheet_, cells);
    writeCells(cells);
    if (!thickness_->hasFocus())
        reportBadLengths();
    return badLengths_;
}

void SheetWindow::reportBadLengths()
{
    const bool allReported = std::ranges::all_of(badLengths_, [this](const BadLength &length) {
        return std::ranges::find(reportedBadLengths_, length) != reportedBadLengths_.end();
    });
    reportedBadLengths_ = badLengths_;
    if (!allReported)
        reporter_.showMessage(badLengthMessage(sheet_, badLengths_), kApplicationTitle, MessageIcon::Warning);
}

void SheetWindow::recalculateAll()
{
    recalculate(false);
}

void SheetWindow::onThicknessTextChanged(const QString &text)
{
    // An emptied box means 0; setting it raises the change once more with "0".
    if (text.isEmpty())
        thickness_->setValue(0);
}

void SheetWindow::onThicknessChanged()
{
    // The per-metre values always follow the thickness shown, whatever the lengths hold.
    recalculate(true);
}

void SheetWindow::onCellSelected(int column, int row)
{
    if (!isLengthCell(sheet_, column, row))
        return;
    if (row != rememberedRow_) {
        rememberedRow_ = row;
        recalculateAll();
    }
}

void SheetWindow::onEnterPressed()
{
    // A bad length keeps the cell current, so that it can be put right.
    const std::vector<BadLength> bad = recalculate(false);
    if (std::ranges::find(bad, grid_->gridRow(), &BadLength::row) != bad.end())
        return;
    if (grid_->gridColumn() == ColLength && grid_->gridRow() + 1 < sheet_.rowCount())
        grid_->setGridCell(ColLength, grid_->gridRow() + 1);
}

void SheetWindow::onCopyClicked()
{
    QApplication::clipboard()->setText(grid_->currentCellText());
}

OuterDiameterSheet::OuterDiameterSheet(Reporter &reporter, QWidget *parent) : SheetWindow(outerDiameterSheet(), reporter, parent) {}

NominalSizeSheet::NominalSizeSheet(Reporter &reporter, QWidget *parent)
    : SheetWindow(nominalSizeSheet(), reporter, parent)
{
}

} // namespace mhbk::sheets
