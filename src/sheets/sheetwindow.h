#pragma once

#include "sheets/sheetcalc.h"

#include <QWidget>

class QSpinBox;
class QAbstractButton;

namespace mhbk {
class Reporter;
}

namespace mhbk::sheets {

class SheetGrid;

// A painting and insulation sheet: title strip, grid and thickness bar. Borderless, so that
// embedded in its page it looks like part of the page. The description decides which sheet.
class SheetWindow : public QWidget {
    Q_OBJECT
public:
    SheetWindow(const SheetDescription &sheet, Reporter &reporter, QWidget *parent = nullptr);

    const SheetDescription &sheet() const { return sheet_; }
    SheetGrid *grid() const { return grid_; }
    int rememberedRow() const { return rememberedRow_; }

    // Products, subtotals and total; a length that is no number counts as 0 and is reported.
    void recalculateAll();

private:
    void fillFirstSheet();
    void onThicknessTextChanged(const QString &text);
    void onThicknessChanged();
    void onCellSelected(int column, int row);
    void onEnterPressed();
    void onCopyClicked();

    QWidget *createTitleStrip();
    QWidget *createBottomStrip();
    TextGrid readCells() const;
    void writeCells(const TextGrid &grid);
    // Recalculates (the per-metre values too when asked) and reports the lengths that are no
    // number; returns them.
    std::vector<BadLength> recalculate(bool perMetreToo);
    // Tells the user about lengths that are no number unless they were told already. Not while
    // W is being typed: a message box then would swallow the next digit.
    void reportBadLengths();

    const SheetDescription &sheet_;
    Reporter &reporter_;
    SheetGrid *grid_ = nullptr;
    QSpinBox *thickness_ = nullptr;
    QAbstractButton *copyButton_ = nullptr;
    int rememberedRow_ = 0;
    std::vector<BadLength> badLengths_;  // of the last calculation
    // What was last reported: the same bad lengths are not reported again on every
    // selection change that recalculates.
    std::vector<BadLength> reportedBadLengths_;
};

// The sheet by pipe outer diameter (page "保温材料(管外径)").
class OuterDiameterSheet : public SheetWindow {
    Q_OBJECT
public:
    OuterDiameterSheet(Reporter &reporter, QWidget *parent = nullptr);
};

// The sheet by nominal size (page "保温材料(公称直径)").
class NominalSizeSheet : public SheetWindow {
    Q_OBJECT
public:
    NominalSizeSheet(Reporter &reporter, QWidget *parent = nullptr);
};

} // namespace mhbk::sheets
