#pragma once

class QLineEdit;
class QSpinBox;

namespace mhbk {

class PageHost;
class ScriptEvaluator;

// The expression bar's two fields live in the main window's top bar.
struct ExpressionBar {
    QLineEdit *calculation = nullptr; // `Calculation`
    QLineEdit *result = nullptr;      // `CalResult`
};

// Builds the keypad page and the decimal-places page and wires the expression bar.
void installCalculatorPages(PageHost &host, ExpressionBar bar, ScriptEvaluator &script);

// The decimal places as "=" reads them from `SpinEdit1`: text that is no whole number
// counts as 0, and the value is kept within 0 to 10.
int decimalPlaces(const QSpinBox &spin);

} // namespace mhbk
