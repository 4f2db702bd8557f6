#include "workbooks/engine/evaluator.h"
#include "workbooks/engine/function_args.h"
#include "workbooks/engine/functions.h"
#include "workbooks/engine/numberformat.h"
#include "numbers/decimal.h"

#include <QRegularExpression>
#include <QVarLengthArray>
#include <algorithm>
#include <cmath>

namespace mhbk::wb {

std::optional<double> textToNumber(const QString &text)
{
    // Full-width digits, signs and points read as the calculators read them.
    const auto folded = numbers::asciiNumberText(
        std::u16string_view(reinterpret_cast<const char16_t *>(text.utf16()), static_cast<std::size_t>(text.size())));
    if (!folded)
        return std::nullopt;
    QString t = QString::fromLatin1(*folded).trimmed();
    if (t.isEmpty())
        return std::nullopt;
    double scale = 1;
    if (t.endsWith(u'%')) {
        scale = 0.01;
        t.chop(1);
    }
    if (t.contains(u',')) {
        // Thousands separators only between groups of three digits before the point.
        static const QRegularExpression grouped(QStringLiteral("^[+-]?\\d{1,3}(,\\d{3})+(\\.\\d*)?$"));
        if (!grouped.match(t).hasMatch())
            return std::nullopt;
        t.remove(u',');
    }
    const QByteArray ascii = t.toLatin1(); // only ASCII is left
    const auto decimal = numbers::scanDecimal(std::string_view(ascii.constData(), static_cast<std::size_t>(ascii.size())));
    const auto v = decimal ? numbers::toDouble(*decimal) : std::nullopt;
    if (!v)
        return std::nullopt;
    return *v * scale;
}

Value toNumber(const Value &v)
{
    switch (v.kind()) {
    case Value::Kind::Empty: return Value::number(0);
    case Value::Kind::Number:
    case Value::Kind::Boolean: return Value::number(v.asNumber());
    case Value::Kind::Error: return v;
    case Value::Kind::Text:
        if (const auto n = textToNumber(v.asText()))
            return Value::number(*n);
        return Value::error(ErrorCode::Value);
    }
    return Value::error(ErrorCode::Value);
}

Value toText(const Value &v)
{
    switch (v.kind()) {
    case Value::Kind::Empty: return Value::text(QString());
    case Value::Kind::Number: return Value::text(numberText(v.asNumber()));
    case Value::Kind::Boolean: return Value::text(v.asBoolean() ? QStringLiteral("TRUE") : QStringLiteral("FALSE"));
    case Value::Kind::Text:
    case Value::Kind::Error: return v;
    }
    return v;
}

Value toBoolean(const Value &v)
{
    switch (v.kind()) {
    case Value::Kind::Empty: return Value::boolean(false);
    case Value::Kind::Number:
    case Value::Kind::Boolean: return Value::boolean(v.asNumber() != 0);
    case Value::Kind::Error: return v;
    case Value::Kind::Text:
        if (v.asText().compare(u"TRUE", Qt::CaseInsensitive) == 0)
            return Value::boolean(true);
        if (v.asText().compare(u"FALSE", Qt::CaseInsensitive) == 0)
            return Value::boolean(false);
        return Value::error(ErrorCode::Value);
    }
    return Value::error(ErrorCode::Value);
}

namespace {

int typeRank(const Value &v)
{
    switch (v.kind()) {
    case Value::Kind::Text: return 1;
    case Value::Kind::Boolean: return 2;
    default: return 0;
    }
}

// Numbers that agree in their first 15 significant digits are equal, as spreadsheets compare
// them: 0.1+0.2 (0.30000000000000004) = 0.3.
bool sameTo15Digits(double x, double y)
{
    // Only numbers within a few units in the 15th digit can round alike; the rest never get the
    // (slower) rounding.
    if (!(std::fabs(x - y) <= 1e-14 * std::max(std::fabs(x), std::fabs(y))))
        return false;
    return approx15(x) == approx15(y);
}

} // namespace

int compareValues(const Value &a0, const Value &b0)
{
    // An empty cell compares as 0 against numbers, "" against text and FALSE against booleans.
    auto blank = [](const Value &v, const Value &other) {
        if (!v.isEmpty())
            return v;
        if (other.isText()) return Value::text(QString());
        if (other.isBoolean()) return Value::boolean(false);
        return Value::number(0);
    };
    const Value a = blank(a0, b0), b = blank(b0, a0);
    const int ra = typeRank(a), rb = typeRank(b);
    if (ra != rb)
        return ra < rb ? -1 : 1;
    if (a.isText()) {
        const int c = a.asText().compare(b.asText(), Qt::CaseInsensitive);
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    const double x = a.asNumber(), y = b.asNumber();
    if (x == y || sameTo15Digits(x, y))
        return 0;
    return x < y ? -1 : 1;
}

Value numberResult(double v)
{
    if (!std::isfinite(v))
        return Value::error(ErrorCode::Num);
    return Value::number(v == 0 ? 0.0 : v);   // no "-0"
}

Value Evaluator::evaluateCell(const Node &root)
{
    const Value v = scalar(evaluate(root));
    return v.isEmpty() ? Value::number(0) : v;   // =A1 of an empty A1 shows 0, as in Excel
}

Value Evaluator::scalar(const Operand &op) const
{
    switch (op.kind) {
    case Operand::Kind::Scalar: return op.value;
    case Operand::Kind::Array: return op.array->empty() ? Value::error(ErrorCode::Value) : op.array->front();
    case Operand::Kind::Range: break;
    }
    const CellRange &r = op.range;
    if (r.firstRow == r.lastRow && r.firstCol == r.lastCol)
        return cells_.cellValue(op.sheet, r.firstRow, r.firstCol);
    if (r.firstCol == r.lastCol && row_ >= r.firstRow && row_ <= r.lastRow)
        return cells_.cellValue(op.sheet, row_, r.firstCol);
    if (r.firstRow == r.lastRow && col_ >= r.firstCol && col_ <= r.lastCol)
        return cells_.cellValue(op.sheet, r.firstRow, col_);
    return Value::error(ErrorCode::Value);
}

Value Evaluator::at(const Operand &op, int r, int c) const
{
    switch (op.kind) {
    case Operand::Kind::Scalar: return op.value;
    case Operand::Kind::Array:
        if (op.rows == 1 && op.cols == 1)
            return op.array->front();
        if (r >= op.rows || c >= op.cols)
            return Value::error(ErrorCode::NA);
        return (*op.array)[size_t(r) * size_t(op.cols) + size_t(c)];
    case Operand::Kind::Range:
        if (op.rows == 1 && op.cols == 1)
            return cells_.cellValue(op.sheet, op.range.firstRow, op.range.firstCol);
        if (r >= op.rows || c >= op.cols)
            return Value::error(ErrorCode::NA);
        return cells_.cellValue(op.sheet, op.range.firstRow + r, op.range.firstCol + c);
    }
    return Value();
}

void Evaluator::forEach(const Operand &op, const std::function<void(const Value &, bool)> &fn) const
{
    switch (op.kind) {
    case Operand::Kind::Scalar: fn(op.value, false); break;
    case Operand::Kind::Array:
        for (const Value &v : *op.array)
            fn(v, true);
        break;
    case Operand::Kind::Range:
        cells_.forEachCell(op.sheet, op.range, [&](int, int, const Value &v) { fn(v, true); });
        break;
    }
}

Operand Evaluator::evaluate(const Node &node)
{
    switch (node.kind) {
    case Node::Kind::Constant: return Operand::scalar(node.constant);
    case Node::Kind::Reference:
        if (node.sheet < 0)
            return Operand::scalar(Value::error(ErrorCode::Ref));
        return Operand::reference(node.sheet, rangeAt(node, rowOffset_));
    case Node::Kind::Unary: {
        Operand a = evaluate(*node.args[0]);
        if (node.op == Node::Op::Plus)
            return a;
        return applyBinary(Node::Op::Sub, Operand::scalar(Value::number(0)), a);
    }
    case Node::Kind::Percent:
        return applyBinary(Node::Op::Div, evaluate(*node.args[0]), Operand::scalar(Value::number(100)));
    case Node::Kind::Binary:
        return applyBinary(node.op, evaluate(*node.args[0]), evaluate(*node.args[1]));
    case Node::Kind::Call: return call(node);
    }
    return Operand::scalar(Value::error(ErrorCode::Value));
}

Operand Evaluator::call(const Node &node)
{
    if (node.function < 0)
        return Operand::scalar(Value::error(ErrorCode::Name));
    const FunctionInfo &info = functionInfo(node.function);
    // SUMPRODUCT computes its arguments element by element, as an array formula would.
    static const int sumProduct = findFunction(u"SUMPRODUCT");
    const bool arrayArgs = node.function == sumProduct;
    arrayMode_ += arrayArgs;
    QVarLengthArray<Operand, 4> args;   // most calls take a few: no allocation
    args.reserve(qsizetype(node.args.size()));
    for (const auto &a : node.args)
        args.push_back(evaluate(*a));
    arrayMode_ -= arrayArgs;
    if (arrayMode_ > 0 && takesSingleValues(node.function)
        && std::any_of(args.begin(), args.end(), [](const Operand &a) { return !a.isScalar(); }))
        return callElementwise(info, Arguments(args.data(), std::size_t(args.size())));
    return info.impl(*this, Arguments(args.data(), std::size_t(args.size())));
}

bool Evaluator::takesSingleValues(int function)
{
    // Functions of single values that an array formula applies to each element of a range:
    // SUMPRODUCT(--EXACT(A1:A9,"DN50"),B1:B9) compares every cell.
    static const std::vector<int> functions = [] {
        std::vector<int> v;
        for (const char16_t *name : {u"EXACT", u"LEN", u"UPPER", u"LOWER", u"TRIM", u"ABS", u"INT", u"ROUND",
                                     u"ISNUMBER", u"ISTEXT", u"NOT"})
            v.push_back(findFunction(name));
        return v;
    }();
    return std::find(functions.begin(), functions.end(), function) != functions.end();
}

Operand Evaluator::callElementwise(const FunctionInfo &info, Arguments args)
{
    int rows = 1, cols = 1;
    for (const Operand &a : args) {
        rows = std::max(rows, walkRows(a));
        cols = std::max(cols, walkColumns(a));
    }
    if (qint64(rows) * cols > 1'000'000)
        return Operand::scalar(Value::error(ErrorCode::Num));
    std::vector<Value> out;
    out.reserve(size_t(rows) * size_t(cols));
    std::vector<Operand> element(args.size());
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            for (std::size_t i = 0; i < args.size(); ++i)
                element[i] = Operand::scalar(at(args[i], r, c));
            out.push_back(scalar(info.impl(*this, Arguments(element.data(), element.size()))));
        }
    }
    return Operand::makeArray(rows, cols, std::move(out));
}

namespace {

Value arithmetic(Node::Op op, const Value &a0, const Value &b0)
{
    const Value a = toNumber(a0);
    if (a.isError())
        return a;
    const Value b = toNumber(b0);
    if (b.isError())
        return b;
    const double x = a.asNumber(), y = b.asNumber();
    switch (op) {
    case Node::Op::Add: return numberResult(x + y);
    case Node::Op::Sub: return numberResult(x - y);
    case Node::Op::Mul: return numberResult(x * y);
    case Node::Op::Div: return y == 0 ? Value::error(ErrorCode::Div0) : numberResult(x / y);
    case Node::Op::Pow:
        if (x == 0 && y == 0)
            return Value::error(ErrorCode::Num);
        if (x == 0 && y < 0)
            return Value::error(ErrorCode::Div0);
        return numberResult(std::pow(x, y));
    default: return Value::error(ErrorCode::Value);
    }
}

Value comparison(Node::Op op, const Value &a, const Value &b)
{
    if (a.isError())
        return a;
    if (b.isError())
        return b;
    const int c = compareValues(a, b);
    switch (op) {
    case Node::Op::Eq: return Value::boolean(c == 0);
    case Node::Op::Ne: return Value::boolean(c != 0);
    case Node::Op::Lt: return Value::boolean(c < 0);
    case Node::Op::Le: return Value::boolean(c <= 0);
    case Node::Op::Gt: return Value::boolean(c > 0);
    case Node::Op::Ge: return Value::boolean(c >= 0);
    default: return Value::error(ErrorCode::Value);
    }
}

Value concatenate(const Value &a0, const Value &b0)
{
    const Value a = toText(a0);
    if (a.isError())
        return a;
    const Value b = toText(b0);
    if (b.isError())
        return b;
    return Value::text(a.asText() + b.asText());
}

Value applyScalar(Node::Op op, const Value &a, const Value &b)
{
    switch (op) {
    case Node::Op::Concat: return concatenate(a, b);
    case Node::Op::Eq:
    case Node::Op::Ne:
    case Node::Op::Lt:
    case Node::Op::Le:
    case Node::Op::Gt:
    case Node::Op::Ge: return comparison(op, a, b);
    default: return arithmetic(op, a, b);
    }
}

} // namespace

int Evaluator::walkRows(const Operand &op) const
{
    if (op.kind != Operand::Kind::Range || op.rows < kMaxRows)
        return op.rows;
    return std::clamp(cells_.usedRange(op.sheet).lastRow - op.range.firstRow + 1, 1, op.rows);
}

int Evaluator::walkColumns(const Operand &op) const
{
    if (op.kind != Operand::Kind::Range || op.cols < kMaxColumns)
        return op.cols;
    return std::clamp(cells_.usedRange(op.sheet).lastCol - op.range.firstCol + 1, 1, op.cols);
}

Operand Evaluator::applyElementwise(const Operand &a, const Operand &b,
                                    const std::function<Value(const Value &, const Value &)> &f)
{
    const int rows = std::max(walkRows(a), walkRows(b)), cols = std::max(walkColumns(a), walkColumns(b));
    if (qint64(rows) * cols > 1'000'000)
        return Operand::scalar(Value::error(ErrorCode::Num));
    std::vector<Value> out;
    out.reserve(size_t(rows) * size_t(cols));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            out.push_back(f(at(a, r, c), at(b, r, c)));
    return Operand::makeArray(rows, cols, std::move(out));
}

Operand Evaluator::applyBinary(Node::Op op, const Operand &a, const Operand &b)
{
    if (arrayMode_ > 0 && (!a.isScalar() || !b.isScalar()))
        return applyElementwise(a, b, [op](const Value &x, const Value &y) { return applyScalar(op, x, y); });
    return Operand::scalar(applyScalar(op, scalar(a), scalar(b)));
}

} // namespace mhbk::wb
