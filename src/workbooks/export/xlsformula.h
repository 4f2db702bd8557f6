#pragma once

// Formulas as BIFF8 token arrays, built from the engine's parse of the formula text.

#include <QByteArray>
#include <QString>
#include <functional>
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

// Where the formula stands: its own sheet, and how a sheet name found in the text maps to a
// sheet index (-1 for none). Sheet i is referred to as EXTERNSHEET entry i.
struct FormulaPlace {
    int sheet = 0;
    std::function<int(const QString &)> sheetIndex;
};

// The "rgce" token array of `formula` (the text after '='), or nothing when it has no
// BIFF8 form (unknown functions, references or texts beyond the format's limits, syntax
// errors): such a cell is written with its value only.
std::optional<QByteArray> formulaTokens(const QString &formula, const FormulaPlace &place);
// The same from a formula the engine has parsed already (its references to sheets by the
// engine's sheet numbers, which the writers keep).
// `rowOffset`: where the parse is to be read (wb::rangeAt()).
std::optional<QByteArray> formulaTokens(const wb::Node &formula, const FormulaPlace &place, int rowOffset = 0);
// The same appended to `out`: false, and `out` as it was, when there is no BIFF8 form.
bool appendFormulaTokens(const wb::Node &formula, const FormulaPlace &place, int rowOffset, ByteWriter &out);

} // namespace mhbk::xlsout
