#pragma once

// Formulas as BIFF8 token arrays, built from the engine's parse of the formula (the one the
// export description carries; see exportbook.h).

#include <QByteArray>
#include <QString>
#include <optional>

namespace mhbk::wb {
struct Node;
}

namespace mhbk::xlsout {

class ByteWriter;

// How a function is called in BIFF8: its number in Excel's built-in table, its argument
// counts, and the class each argument wants ('R' reference, 'V' value, 'A' array; the last
// letter repeats for further arguments).
struct XlsFunction {
    const char *name;
    int number;
    int minArgs;
    int maxArgs;
    char returns; // 'R' for functions that give a reference (INDEX), else 'V'
    const char *argClasses;
};

// The entry for an engine function name (any case), or null when BIFF8 has none.
const XlsFunction *xlsFunction(const QString &name);

// Where the formula stands: its own sheet. Sheet i (the engine's sheet number, which the
// writers keep) is referred to as EXTERNSHEET entry i.
struct FormulaPlace {
    int sheet = 0;
};

// The "rgce" token array of the engine's parse of a formula, read `rowOffset` rows down
// (wb::rangeAt()), or nothing when it has no BIFF8 form (unknown functions, references or
// texts beyond the format's limits): such a cell is written with its value only.
std::optional<QByteArray> formulaTokens(const wb::Node &formula, const FormulaPlace &place, int rowOffset = 0);
// The same appended to `out`: false, and `out` as it was, when there is no BIFF8 form.
bool appendFormulaTokens(const wb::Node &formula, const FormulaPlace &place, int rowOffset, ByteWriter &out);

} // namespace mhbk::xlsout
