#pragma once

// Evaluation of a parsed formula against the workbook's current values. Internal.

#include "workbooks/engine/formula.h"

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace mhbk::wb {

// Read access to cell values, as the evaluator needs it.
class CellSource
{
public:
    virtual ~CellSource() = default;
    virtual Value cellValue(int sheet, int row, int col) const = 0;
    // Calls `fn` for every non-empty cell inside `range`, row by row (order within a row by column).
    virtual void forEachCell(int sheet, const CellRange &range,
                             const std::function<void(int row, int col, const Value &)> &fn) const = 0;
    // The rectangle from A1 to the last cell holding anything (rowCount 0 when the sheet is empty).
    virtual CellRange usedRange(int sheet) const = 0;
};

// An argument or intermediate result: a single value, a reference to a rectangle of cells, or
// an array of values computed element by element (inside SUMPRODUCT).
struct Operand
{
    enum class Kind { Scalar, Range, Array };
    Kind kind = Kind::Scalar;
    Value value;
    int sheet = 0;
    CellRange range;
    int rows = 1, cols = 1;
    std::shared_ptr<std::vector<Value>> array;

    static Operand scalar(const Value &v) { return Operand{Kind::Scalar, v, 0, {}, 1, 1, nullptr}; }
    static Operand reference(int sheet, const CellRange &r)
    {
        return Operand{Kind::Range, {}, sheet, r, r.rowCount(), r.columnCount(), nullptr};
    }
    static Operand makeArray(int rows, int cols, std::vector<Value> values)
    {
        return Operand{Kind::Array, {}, 0, {}, rows, cols, std::make_shared<std::vector<Value>>(std::move(values))};
    }
    bool isScalar() const { return kind == Kind::Scalar; }
};

struct FunctionInfo;

class Evaluator
{
public:
    // `rowOffset`: how far below the cell its formula was parsed for the cell stands (see rangeAt()).
    Evaluator(const CellSource &cells, int sheet, int row, int col, int rowOffset = 0)
        : cells_(cells), sheet_(sheet), row_(row), col_(col), rowOffset_(rowOffset)
    {
    }

    // The cell's result: a range collapses by implicit intersection, an array to its first element.
    Value evaluateCell(const Node &root);
    Operand evaluate(const Node &node);

    // One value out of an operand (implicit intersection for ranges).
    Value scalar(const Operand &op) const;
    // Element (r, c) of an operand; a scalar repeats.
    Value at(const Operand &op, int r, int c) const;
    // Every value an aggregate sees: a scalar once, a range's non-empty cells, an array's elements.
    void forEach(const Operand &op, const std::function<void(const Value &, bool fromReference)> &fn) const;

    const CellSource &cells() const { return cells_; }
    // Rows and columns an element-by-element operation walks: a whole-column or whole-row
    // reference stops at the last used row or column (the cells beyond are all empty).
    int walkRows(const Operand &op) const;
    int walkColumns(const Operand &op) const;

private:
    Operand call(const Node &node);
    static bool takesSingleValues(int function);
    Operand callElementwise(const FunctionInfo &info, std::span<Operand> args);
    Operand applyBinary(Node::Op op, const Operand &a, const Operand &b);
    Operand applyElementwise(const Operand &a, const Operand &b, const std::function<Value(const Value &, const Value &)> &f);

    const CellSource &cells_;
    int sheet_, row_, col_, rowOffset_;
    int arrayMode_ = 0;
};

// ---- Excel's conversions ----
// Text that Excel reads as a number: blanks around, sign, "1,234.5", "1e3", "50%".
std::optional<double> textToNumber(const QString &text);
// Number of a value for arithmetic: empty 0, booleans 0/1, numeric text; else #VALUE! (errors pass on).
Value toNumber(const Value &v);
// Text of a value for "&" and text functions; numbers with up to 15 significant digits.
Value toText(const Value &v);
// Truth of a value: numbers non-zero, "TRUE"/"FALSE"; other text #VALUE!.
Value toBoolean(const Value &v);
// Excel's ordering for comparisons: numbers < text (case-insensitive) < booleans; empty is 0 or "".
int compareValues(const Value &a, const Value &b);
// A number result, or #NUM! for infinities and NaN.
Value numberResult(double v);

} // namespace mhbk::wb
