#include "workbooks/engine/formula_shape.h"

namespace mhbk::wb {

ParsedFormula FormulaShape::parse(const QString &input, int ownSheet, const SheetResolver &sheets)
{
    rows_ = RowNumbers();
    ParsedFormula parsed = parseFormula(QStringView(input).mid(1), ownSheet, sheets, &rows_);
    input_ = parsed.tree && rows_.movable ? input : QString();
    return parsed;
}

// Compares the text piece by piece: what lies between the remembered row numbers must be
// equal, and each row number must read as the remembered one moved. The character after a
// row number is never a digit, so the two texts split into references alike and parse alike.
bool FormulaShape::matches(const QString &input, int rowDelta) const
{
    if (input_.isEmpty() || rowDelta < rows_.minDelta || rowDelta > rows_.maxDelta || !input.startsWith(u'='))
        return false;
    const QStringView before = QStringView(input_).mid(1), text = QStringView(input).mid(1);
    qsizetype from = 0, at = 0;   // in `before`, in `text`
    for (const RowNumbers::Written &w : rows_.written) {
        const qsizetype literal = w.offset - from;
        if (text.size() - at < literal || text.mid(at, literal) != before.mid(from, literal))
            return false;
        at += literal;
        char16_t digits[8];
        qsizetype count = 0;
        for (int r = w.row + rowDelta; r > 0; r /= 10)
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

} // namespace mhbk::wb
