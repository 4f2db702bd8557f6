#pragma once

// The parsed form of a formula: evaluated by the engine, and turned into tokens by the .xls writer.

#include "workbooks/engine/address.h"
#include "workbooks/engine/cellvalue.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace mhbk::wb {

struct Node
{
    enum class Kind { Constant, Reference, Unary, Percent, Binary, Call };
    enum class Op { Add, Sub, Mul, Div, Pow, Concat, Eq, Ne, Lt, Le, Gt, Ge, Neg, Plus };

    Kind kind = Kind::Constant;
    Value constant;               // Constant
    int sheet = -1;               // Reference: sheet index; -1 when the named sheet does not exist
    CellRange range;              // Reference: one cell or a rectangle
    bool isRange = false;         // Reference: written with ':'
    std::uint8_t absolute = 0;    // Reference: which parts were written with '$' (AbsoluteParts)
    std::uint8_t parentheses = 0; // pairs of parentheses written around this node
    Op op = Op::Add;              // Unary / Binary
    int function = -1;            // Call: index into the function table; -1 for an unknown name
    std::vector<std::unique_ptr<Node>> args;
};

// Bits of Node::absolute.
enum AbsoluteParts : std::uint8_t { FirstColumnAbsolute = 1, FirstRowAbsolute = 2, LastColumnAbsolute = 4,
                                    LastRowAbsolute = 8 };

// A range read by a formula, for the dependency graph.
struct Precedent
{
    int sheet = 0;
    CellRange range;
};

struct ParsedFormula
{
    std::unique_ptr<Node> root;   // null when parsing failed
    QString error;                // why it failed
    int errorPosition = -1;       // offset in the text given to parseFormula
    std::vector<Precedent> precedents;
};

// Finds a sheet by name (case-insensitive); -1 when there is none.
using SheetResolver = std::function<int(const QString &)>;

// Parses the text after the leading '='. Nesting deeper than kMaxFormulaDepth is refused.
inline constexpr int kMaxFormulaDepth = 64;
ParsedFormula parseFormula(QStringView text, int ownSheet, const SheetResolver &sheets);

} // namespace mhbk::wb
