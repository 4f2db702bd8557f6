#include "workbooks/engine/criterion.h"

#include "workbooks/engine/evaluator.h"
#include "workbooks/engine/function_args.h"

#include <utility>

namespace mhbk::wb {

namespace {

bool isBlank(const Value &v)
{
    return v.isEmpty() || (v.isText() && v.asText().isEmpty());
}

} // namespace

Criterion::Criterion(const Value &criterion)
{
    if (!criterion.isText()) {
        // A criterion cell left empty stands for 0, as in the spreadsheet programs.
        operand_ = criterion.isEmpty() ? Value::number(0) : criterion;
        return;
    }
    QString t = criterion.asText();
    for (const auto &[token, op] : {std::pair{u"<=", Op::Le}, std::pair{u">=", Op::Ge}, std::pair{u"<>", Op::Ne},
                                    std::pair{u"<", Op::Lt}, std::pair{u">", Op::Gt}, std::pair{u"=", Op::Eq}}) {
        if (t.startsWith(token)) {
            op_ = op;
            t = t.mid(QStringView(token).size());
            break;
        }
    }
    // What follows the operator is a number when it reads as one ("20", " 1.5", "15e-1"),
    // a truth value when it is TRUE or FALSE, and otherwise text, compared without case.
    if (const auto n = textToNumber(t))
        operand_ = Value::number(*n);
    else if (t.compare(u"TRUE", Qt::CaseInsensitive) == 0 || t.compare(u"FALSE", Qt::CaseInsensitive) == 0)
        operand_ = Value::boolean(t.compare(u"TRUE", Qt::CaseInsensitive) == 0);
    else if (!t.isEmpty())
        operand_ = Value::text(t);
}

bool Criterion::equals(const Value &cell) const
{
    if (operand_.isEmpty())   // "=" and "" match blank cells
        return isBlank(cell);
    if (operand_.isNumber()) {
        // A number kept as text ("20" typed with an apostrophe, or imported) counts as that number.
        if (cell.isText()) {
            const auto n = textToNumber(cell.asText());
            return n && compareValues(Value::number(*n), operand_) == 0;
        }
        return cell.isNumber() && compareValues(cell, operand_) == 0;
    }
    if (operand_.isBoolean())
        return cell.isBoolean() && cell.asBoolean() == operand_.asBoolean();
    // Wildcards apply to text cells only: "*" never matches a number.
    return cell.isText() && wildcardMatch(operand_.asText(), cell.asText());
}

bool Criterion::matches(const Value &cell) const
{
    if (op_ == Op::Eq)
        return equals(cell);
    if (op_ == Op::Ne)   // everything "=" does not match, blank cells included
        return !equals(cell);
    // Ordering compares numbers with numbers, text with text and truth values with truth values.
    const bool sameKind = (operand_.isNumber() && cell.isNumber()) || (operand_.isText() && cell.isText()) ||
                          (operand_.isBoolean() && cell.isBoolean());
    if (!sameKind)
        return false;
    const int c = compareValues(cell, operand_);
    switch (op_) {
    case Op::Lt: return c < 0;
    case Op::Le: return c <= 0;
    case Op::Gt: return c > 0;
    case Op::Ge: return c >= 0;
    default: return false;
    }
}

} // namespace mhbk::wb
