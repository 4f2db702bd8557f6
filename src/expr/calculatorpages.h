#pragma once

class QLineEdit;

namespace mhbk {

class PageHost;
class TMSScriptEX;

// The expression bar's two fields live in the main window's top bar.
struct ExpressionBar {
    QLineEdit *calculation = nullptr; // `Calculation`
    QLineEdit *result = nullptr;      // `CalResult`
};

// Builds the keypad page (0) and the decimal-places page (1) and wires the expression bar.
void installCalculatorPages(PageHost &host, ExpressionBar bar, TMSScriptEX &script);

} // namespace mhbk
