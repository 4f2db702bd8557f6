#include "workbooks/export/xlsformula.h"

#include "workbooks/engine/formula.h"
#include "workbooks/engine/functions.h"
#include "workbooks/export/bytewriter.h"
#include "workbooks/export/exportbook.h"
#include "workbooks/export/workbookexport.h"

#include <cmath>
#include <vector>

namespace mhbk::xlsout {
namespace {

constexpr int kMaxRow = 65535;
constexpr int kMaxCol = 255;
constexpr int kMaxArgs = 30;
constexpr int kMaxTokenBytes = 1800; // Excel's own limit of one formula's tokens
constexpr int kMaxLiteral = 255;

namespace tok {
constexpr unsigned Add = 0x03, Sub = 0x04, Mul = 0x05, Div = 0x06, Power = 0x07, Concat = 0x08, Lt = 0x09,
                   Le = 0x0A, Eq = 0x0B, Ge = 0x0C, Gt = 0x0D, Ne = 0x0E, Uplus = 0x12, Uminus = 0x13,
                   Percent = 0x14, Paren = 0x15, MissArg = 0x16, Str = 0x17, Err = 0x1C, Bool = 0x1D,
                   Int = 0x1E, Num = 0x1F, Func = 0x01, FuncVar = 0x02, Ref = 0x04, Area = 0x05,
                   Ref3d = 0x1A, Area3d = 0x1B;
}

// Operand classes, added to the base token numbers: a reference stays a reference, a value
// takes one cell of it, an array takes all of it.
enum class Class : unsigned { Reference = 0x20, Value = 0x40, Array = 0x60 };

struct NoBiffForm {};

// Engine function index -> Excel's entry; IFERROR and unknowns have none.
const std::vector<const XlsFunction *> &functionsByEngineIndex()
{
    static const std::vector<const XlsFunction *> table = [] {
        std::vector<const XlsFunction *> t;
        for (int i = 0; i < wb::functionCount(); ++i)
            t.push_back(xlsFunction(QLatin1String(wb::functionInfo(i).name)));
        return t;
    }();
    return table;
}

int engineIndex(const char *name) { return wb::findFunction(QString::fromLatin1(name)); }


class TokenWriter {
public:
    TokenWriter(int ownSheet, int rowOffset, ByteWriter &out) : ownSheet_(ownSheet), rowOffset_(rowOffset), out_(out) {}

    void write(const wb::Node &root)
    {
        const qsizetype start = out_.size();
        node(root, Class::Value);
        if (out_.size() - start > kMaxTokenBytes)
            throw NoBiffForm{};
    }

private:
    void node(const wb::Node &n, Class want)
    {
        // Inside an array argument every operand is taken whole.
        const Class operand = want == Class::Array ? Class::Array : Class::Value;
        switch (n.kind) {
        case wb::Node::Kind::Constant: constant(n.constant); break;
        case wb::Node::Kind::Reference: reference(n, want); break;
        case wb::Node::Kind::Unary:
            node(*n.args.at(0), operand);
            out_.u8(n.op == wb::Node::Op::Neg ? tok::Uminus : tok::Uplus);
            break;
        case wb::Node::Kind::Percent:
            node(*n.args.at(0), operand);
            out_.u8(tok::Percent);
            break;
        case wb::Node::Kind::Binary:
            node(*n.args.at(0), operand);
            node(*n.args.at(1), operand);
            out_.u8(binaryToken(n.op));
            break;
        case wb::Node::Kind::Call: call(n, want); break;
        }
        for (int i = 0; i < n.parentheses; ++i)
            out_.u8(tok::Paren);
    }

    static unsigned binaryToken(wb::Node::Op op)
    {
        switch (op) {
        case wb::Node::Op::Add: return tok::Add;
        case wb::Node::Op::Sub: return tok::Sub;
        case wb::Node::Op::Mul: return tok::Mul;
        case wb::Node::Op::Div: return tok::Div;
        case wb::Node::Op::Pow: return tok::Power;
        case wb::Node::Op::Concat: return tok::Concat;
        case wb::Node::Op::Eq: return tok::Eq;
        case wb::Node::Op::Ne: return tok::Ne;
        case wb::Node::Op::Lt: return tok::Lt;
        case wb::Node::Op::Le: return tok::Le;
        case wb::Node::Op::Gt: return tok::Gt;
        case wb::Node::Op::Ge: return tok::Ge;
        case wb::Node::Op::Neg:
        case wb::Node::Op::Plus: break;
        }
        throw NoBiffForm{};
    }

    void constant(const wb::Value &v)
    {
        switch (v.kind()) {
        case wb::Value::Kind::Empty: out_.u8(tok::MissArg); return;
        case wb::Value::Kind::Number: {
            const double d = v.asNumber();
            if (d >= 0 && d <= 65535 && d == std::floor(d) && !std::signbit(d)) {
                out_.u8(tok::Int);
                out_.u16(unsigned(d));
            } else {
                out_.u8(tok::Num);
                out_.f64(d);
            }
            return;
        }
        case wb::Value::Kind::Text:
            if (v.asText().size() > kMaxLiteral)
                throw NoBiffForm{};
            out_.u8(tok::Str);
            out_.u8(unsigned(v.asText().size()));
            out_.u8(0x01); // UTF-16
            out_.utf16(v.asText());
            return;
        case wb::Value::Kind::Boolean:
            out_.u8(tok::Bool);
            out_.u8(v.asBoolean() ? 1 : 0);
            return;
        case wb::Value::Kind::Error:
            out_.u8(tok::Err);
            out_.u8(unsigned(excelErrorCode(v.asError())));
            return;
        }
    }

    // Rows and columns past BIFF8's grid are whole-row or whole-column references when they
    // run to the engine's last row or column; anything else cannot be written.
    static int clampRow(int row)
    {
        if (row == wb::kMaxRows - 1)
            return kMaxRow;
        if (row < 0 || row > kMaxRow)
            throw NoBiffForm{};
        return row;
    }
    static int clampCol(int col)
    {
        if (col == wb::kMaxColumns - 1)
            return kMaxCol;
        if (col < 0 || col > kMaxCol)
            throw NoBiffForm{};
        return col;
    }

    // A column field with its "relative" flags: bit 14 column, bit 15 row.
    static unsigned colField(int col, bool colAbsolute, bool rowAbsolute)
    {
        return unsigned(col) | (colAbsolute ? 0u : 0x4000u) | (rowAbsolute ? 0u : 0x8000u);
    }

    void reference(const wb::Node &n, Class want)
    {
        if (n.sheet < 0)
            throw NoBiffForm{};
        const bool other = n.sheet != ownSheet_;
        const unsigned base = n.isRange ? (other ? tok::Area3d : tok::Area) : (other ? tok::Ref3d : tok::Ref);
        out_.u8(base | unsigned(want));
        if (other)
            out_.u16(unsigned(n.sheet));
        const wb::CellRange r = wb::rangeAt(n, rowOffset_);
        const auto abs = [&](wb::AbsoluteParts bit) { return (n.absolute & bit) != 0; };
        if (!n.isRange) {
            out_.u16(unsigned(clampRow(r.firstRow)));
            out_.u16(colField(clampCol(r.firstCol), abs(wb::FirstColumnAbsolute), abs(wb::FirstRowAbsolute)));
            return;
        }
        out_.u16(unsigned(clampRow(r.firstRow)));
        out_.u16(unsigned(clampRow(r.lastRow)));
        out_.u16(colField(clampCol(r.firstCol), abs(wb::FirstColumnAbsolute), abs(wb::FirstRowAbsolute)));
        out_.u16(colField(clampCol(r.lastCol), abs(wb::LastColumnAbsolute), abs(wb::LastRowAbsolute)));
    }

    void call(const wb::Node &n, Class want)
    {
        const auto &table = functionsByEngineIndex();
        if (n.function < 0 || std::size_t(n.function) >= table.size())
            throw NoBiffForm{};
        static const int ifErrorIndex = engineIndex("IFERROR");
        if (n.function == ifErrorIndex) {
            ifError(n, want);
            return;
        }
        const XlsFunction *f = table[std::size_t(n.function)];
        if (!f)
            throw NoBiffForm{};
        const int count = int(n.args.size());
        if (count < f->minArgs || count > f->maxArgs || count > kMaxArgs)
            throw NoBiffForm{};
        const std::string_view classes(f->argClasses);
        for (int i = 0; i < count; ++i) {
            const char c = classes.empty() ? 'V' : classes[std::min<std::size_t>(std::size_t(i), classes.size() - 1)];
            const Class argClass = c == 'R' ? Class::Reference
                                   : c == 'A' || want == Class::Array ? Class::Array
                                                                      : Class::Value;
            node(*n.args[std::size_t(i)], argClass);
        }
        functionToken(*f, count, want);
    }

    void functionToken(const XlsFunction &f, int count, Class want)
    {
        const Class cls = f.returns == 'R' && want == Class::Reference ? Class::Reference
                          : want == Class::Array                      ? Class::Array
                                                                       : Class::Value;
        if (f.minArgs == f.maxArgs) {
            out_.u8(tok::Func | unsigned(cls));
        } else {
            out_.u8(tok::FuncVar | unsigned(cls));
            out_.u8(unsigned(count));
        }
        out_.u16(unsigned(f.number));
    }

    // IFERROR(x, y) as IF(ISERROR(x), y, x), which every BIFF8 reader knows.
    void ifError(const wb::Node &n, Class want)
    {
        if (n.args.size() != 2)
            throw NoBiffForm{};
        const Class operand = want == Class::Array ? Class::Array : Class::Value;
        node(*n.args[0], operand);
        functionToken(*xlsFunction(QStringLiteral("ISERROR")), 1, operand);
        node(*n.args[1], Class::Reference);
        node(*n.args[0], Class::Reference);
        functionToken(*xlsFunction(QStringLiteral("IF")), 3, want);
    }

    int ownSheet_;
    int rowOffset_;
    ByteWriter &out_;
};

} // namespace

std::optional<QByteArray> formulaTokens(const wb::Node &formula, const FormulaPlace &place, int rowOffset)
{
    ByteWriter out;
    if (!appendFormulaTokens(formula, place, rowOffset, out))
        return std::nullopt;
    return out.take();
}

bool appendFormulaTokens(const wb::Node &formula, const FormulaPlace &place, int rowOffset, ByteWriter &out)
{
    const qsizetype start = out.size();
    try {
        TokenWriter(place.sheet, rowOffset, out).write(formula);
        return true;
    } catch (const NoBiffForm &) {
        out.truncate(start);
        return false;
    }
}

} // namespace mhbk::xlsout
