#pragma once

class QLineEdit;
class QSpinBox;

namespace mhbk {

class PageHost;
class ScriptEvaluator;

namespace history {
class HistoryStore;
}

// The expression bar's two fields live in the main window's top bar.
struct ExpressionBar {
    QLineEdit *calculation = nullptr; // `Calculation`
    QLineEdit *result = nullptr;      // `CalResult`
};

// Builds the keypad page and the decimal-places page and wires the expression bar. With a
// history, every evaluated expression is kept there and the history list stands beside the keypad.
void installCalculatorPages(PageHost &host, ExpressionBar bar, ScriptEvaluator &script,
                            history::HistoryStore *history = nullptr);

// The decimal places as "=" reads them from `SpinEdit1`: text that is no whole number
// counts as 0, and the value is kept within 0 to 10.
int decimalPlaces(const QSpinBox &spin);

} // namespace mhbk
