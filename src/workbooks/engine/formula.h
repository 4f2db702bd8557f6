#pragma once

// The parsed form of a formula: evaluated by the engine, and turned into tokens by the .xls writer.

#include "workbooks/engine/address.h"
#include "workbooks/engine/cellvalue.h"

#include <QString>
#include <QVarLengthArray>
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

namespace mhbk::wb {

struct Node;

// The operands of a node: a view on pointers kept by the formula's tree (FormulaTree).
class NodeList
{
public:
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const Node *operator[](std::size_t i) const { return items_[i]; }
    const Node *at(std::size_t i) const
    {
        if (i >= size_)
            throw std::out_of_range("NodeList::at");
        return items_[i];
    }
    const Node *const *begin() const { return items_; }
    const Node *const *end() const { return items_ + size_; }

private:
    friend class FormulaTree;
    const Node *const *items_ = nullptr;
    std::size_t size_ = 0;
};

struct Node
{
    enum class Kind : std::uint8_t { Constant, Reference, Unary, Percent, Binary, Call };
    enum class Op : std::uint8_t { Add, Sub, Mul, Div, Pow, Concat, Eq, Ne, Lt, Le, Gt, Ge, Neg, Plus };

    // Small fields together: a large sheet holds tens of thousands of nodes.
    Kind kind = Kind::Constant;
    Op op = Op::Add;              // Unary / Binary
    bool isRange = false;         // Reference: written with ':'
    std::uint8_t absolute = 0;    // Reference: which parts were written with '$' (AbsoluteParts)
    std::uint8_t parentheses = 0; // pairs of parentheses written around this node
    std::uint8_t moves = 0;       // Reference: which rows follow the formula down a column (RowMoves)
    int sheet = -1;               // Reference: sheet index; -1 when the named sheet does not exist
    int function = -1;            // Call: index into the function table; -1 for an unknown name
    CellRange range;              // Reference: one cell or a rectangle
    Value constant;               // Constant
    NodeList args;                // Unary, Percent, Binary, Call
};

// Every node of one parsed formula. A formula of a few operators fits the tree's own room, so
// parsing it takes one allocation instead of one per node and operand list; longer ones add
// blocks. Nodes never move, so the pointers between them stay valid as long as the tree lives.
class FormulaTree
{
public:
    FormulaTree() = default;
    FormulaTree(const FormulaTree &) = delete;
    FormulaTree &operator=(const FormulaTree &) = delete;

    const Node &root() const { return *root_; }

    // For the parser: a new node, an operand list, and which node is the whole formula.
    Node *make();
    NodeList list(const Node *const *items, std::size_t count);
    void setRoot(const Node *root) { root_ = root; }

private:
    static constexpr std::size_t kOwnNodes = 8, kOwnSlots = 8, kBlock = 16;
    std::array<Node, kOwnNodes> nodes_;
    std::array<const Node *, kOwnSlots> slots_{};
    std::size_t nodesUsed_ = 0, slotsUsed_ = 0;
    std::vector<std::unique_ptr<Node[]>> moreNodes_;         // blocks of kBlock
    std::size_t moreNodesUsed_ = kBlock;                      // in the last block
    std::vector<std::unique_ptr<const Node *[]>> moreSlots_;  // one per list that did not fit
    const Node *root_ = nullptr;
};

// Bits of Node::absolute.
enum AbsoluteParts : std::uint8_t { FirstColumnAbsolute = 1, FirstRowAbsolute = 2, LastColumnAbsolute = 4,
                                    LastRowAbsolute = 8 };

// Bits of Node::moves: the rows written as a number without a '$' before it ("D12", "$D12").
// Whole columns ("D:D") and absolute rows ("D$12") stay where they are.
enum RowMoves : std::uint8_t { FirstRowMoves = 1, LastRowMoves = 2 };

// What a reference reads in a formula standing `rowOffset` rows below the cell it was parsed
// for (cells down a column share one parse of their common formula).
inline CellRange rangeAt(const Node &reference, int rowOffset)
{
    CellRange r = reference.range;
    if (reference.moves & FirstRowMoves)
        r.firstRow += rowOffset;
    if (reference.moves & LastRowMoves)
        r.lastRow += rowOffset;
    return r;
}

// A range read by a formula, for the dependency graph.
struct Precedent
{
    int sheet = 0;
    CellRange range;
};

struct ParsedFormula
{
    std::unique_ptr<FormulaTree> tree;   // null when parsing failed
    QString error;                // why it failed
    int errorPosition = -1;       // offset in the text given to parseFormula
};

// Finds a sheet by name (case-insensitive); -1 when there is none.
using SheetResolver = std::function<int(const QString &)>;

// Where a formula's text writes the row numbers that move (RowMoves), for recognising the
// same formula moved to other rows (FormulaShape).
struct RowNumbers
{
    struct Written
    {
        qsizetype offset, length;   // of the digits, in the text given to parseFormula
        int row;                    // as written (1-based)
    };
    std::vector<Written> written;
    // How far the formula can move and every reference stay on the sheet, right side up
    // ("D$5:D9" moved up by five would read D$5:D4).
    int minDelta = -kMaxRows, maxDelta = kMaxRows;
    // False when a range is written bottom row first ("D9:D2"): its rows would swap ends.
    bool movable = true;
};

// fn(Precedent) for each range the formula's references read at `rowOffset` (see rangeAt()),
// in the order written. Depth first without recursion: a long chain of "+" nests deep.
template<typename Fn>
void forEachPrecedent(const Node &root, int rowOffset, Fn &&fn)
{
    QVarLengthArray<const Node *, 32> pending{&root};
    while (!pending.isEmpty()) {
        const Node *n = pending.back();
        pending.pop_back();
        if (n->kind == Node::Kind::Reference && n->sheet >= 0)
            fn(Precedent{n->sheet, rangeAt(*n, rowOffset)});
        for (std::size_t i = n->args.size(); i-- > 0;)
            pending.push_back(n->args[i]);
    }
}

// Every field of every node as read at `rowOffset`, one line: two parses are the same formula
// when their texts are equal (for tests and fuzzers comparing a shared parse with its own).
QString parseText(const Node &root, int rowOffset);

// Parses the text after the leading '='. Nesting deeper than kMaxFormulaDepth is refused.
// `rows`, when given, receives where the relative row numbers are written.
inline constexpr int kMaxFormulaDepth = 64;
ParsedFormula parseFormula(QStringView text, int ownSheet, const SheetResolver &sheets, RowNumbers *rows = nullptr);

} // namespace mhbk::wb
