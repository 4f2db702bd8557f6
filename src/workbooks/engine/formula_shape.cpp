#include "workbooks/engine/formula_shape.h"

#include <QVarLengthArray>

namespace mhbk::wb {

namespace {

// Copies a parse node by node, in the order the parser met the references (left operands
// before right ones, arguments in turn), moving the rows the text writes relatively.
class MovedCopy
{
public:
    MovedCopy(const RowNumbers &rows, int delta, FormulaTree &tree, std::vector<Precedent> &precedents)
        : m_rows(rows), m_delta(delta), m_tree(tree), m_precedents(precedents)
    {
    }

    // Null when a range would come out upside down ("D$5:D6" moved up by three).
    const Node *copy(const Node &from)
    {
        Node *n = m_tree.make();
        *n = from;
        if (from.kind == Node::Kind::Reference && !move(*n))
            return nullptr;
        if (from.args.empty())
            return n;
        QVarLengthArray<const Node *, 8> args;
        for (const Node *a : from.args) {
            const Node *c = copy(*a);
            if (!c)
                return nullptr;
            args.push_back(c);
        }
        n->args = m_tree.list(args.data(), std::size_t(args.size()));
        return n;
    }

private:
    bool move(Node &n)
    {
        const int reference = m_reference++;
        for (; m_next < m_rows.written.size() && m_rows.written[m_next].reference == reference; ++m_next) {
            const RowNumbers::End end = m_rows.written[m_next].end;
            if (end != RowNumbers::End::Last)
                n.range.firstRow += m_delta;
            if (end != RowNumbers::End::First)
                n.range.lastRow += m_delta;
        }
        m_precedents.push_back({n.sheet, n.range});
        return n.range.firstRow <= n.range.lastRow;
    }

    const RowNumbers &m_rows;
    const int m_delta;
    FormulaTree &m_tree;
    std::vector<Precedent> &m_precedents;
    std::size_t m_next = 0;   // the first entry of m_rows.written not yet applied
    int m_reference = 0;
};

} // namespace

ParsedFormula FormulaShape::parse(const QString &input, int ownSheet, const SheetResolver &sheets)
{
    m_rows = RowNumbers();
    ParsedFormula parsed = parseFormula(QStringView(input).mid(1), ownSheet, sheets, &m_rows);
    m_input = parsed.tree && m_rows.movable ? input : QString();
    return parsed;
}

// Compares the text piece by piece: what lies between the remembered row numbers must be
// equal, and each row number must read as the remembered one moved. The character after a
// row number is never a digit, so the two texts split into references alike and parse alike.
bool FormulaShape::matches(QStringView text, int rowDelta) const
{
    const QStringView before = QStringView(m_input).mid(1);
    qsizetype from = 0, at = 0;   // in `before`, in `text`
    for (const RowNumbers::Written &w : m_rows.written) {
        const qsizetype literal = w.offset - from;
        if (text.size() - at < literal || text.mid(at, literal) != before.mid(from, literal))
            return false;
        at += literal;
        const int row = w.row + rowDelta;
        if (row < 1 || row > kMaxRows)
            return false;
        char16_t digits[8];
        qsizetype count = 0;
        for (int r = row; r > 0; r /= 10)
            digits[count++] = char16_t(u'0' + r % 10);
        if (text.size() - at < count)
            return false;
        for (qsizetype k = 0; k < count; ++k)
            if (text[at + k] != QChar(digits[count - 1 - k]))
                return false;
        at += count;
        from = w.offset + w.length;
    }
    return text.mid(at) == before.mid(from);
}

std::optional<ParsedFormula> FormulaShape::moved(const FormulaTree &tree, const QString &input, int rowDelta) const
{
    if (m_input.isEmpty() || !input.startsWith(u'=') || !matches(QStringView(input).mid(1), rowDelta))
        return std::nullopt;
    ParsedFormula out;
    out.tree = std::make_unique<FormulaTree>();
    out.precedents.reserve(m_rows.written.size());
    MovedCopy copy(m_rows, rowDelta, *out.tree, out.precedents);
    const Node *root = copy.copy(tree.root());
    if (!root)
        return std::nullopt;
    out.tree->setRoot(root);
    return out;
}

} // namespace mhbk::wb
