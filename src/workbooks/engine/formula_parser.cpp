#include "workbooks/engine/formula.h"
#include "workbooks/engine/functions.h"
#include "numbers/decimal.h"

#include <QVarLengthArray>

#include <algorithm>
#include <string>

namespace mhbk::wb {

namespace {

struct SyntaxError
{
    QString message;
    int position;
};

bool isRefChar(QChar c)
{
    const char16_t u = c.unicode();
    return u == u'$' || (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z');
}

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'.' || c == u'$';
}

// Which parts of "A1", "$A$1:B$2", "$H:K" or "3:$5" carry a '$'. A one-cell reference sets
// the first and the last parts alike.
std::uint8_t absoluteParts(QStringView token)
{
    auto part = [](QStringView p) {
        std::uint8_t bits = 0;
        for (qsizetype i = 0; i + 1 < p.size(); ++i) {
            if (p[i] != u'$')
                continue;
            bits |= p[i + 1].isDigit() ? FirstRowAbsolute : FirstColumnAbsolute;
        }
        return bits;
    };
    const qsizetype colon = colonIn(token);
    const std::uint8_t first = part(colon < 0 ? token : token.left(colon));
    const std::uint8_t last = colon < 0 ? first : part(token.mid(colon + 1));
    return std::uint8_t(first | (last << 2));
}

class Parser
{
public:
    Parser(QStringView text, int ownSheet, const SheetResolver &sheets, RowNumbers *rows)
        : text_(text), ownSheet_(ownSheet), sheets_(sheets), rows_(rows)
    {
    }

    ParsedFormula run()
    {
        ParsedFormula result;
        try {
            const Node *root = comparison();
            skipBlanks();
            if (pos_ < text_.size())
                fail(QStringLiteral("多余的字符“%1”").arg(text_[pos_]));
            tree_->setRoot(root);
            result.tree = std::move(tree_);
        } catch (const SyntaxError &e) {
            result.error = e.message;
            result.errorPosition = e.position;
        }
        return result;
    }

private:
    [[noreturn]] void fail(const QString &message) const { throw SyntaxError{message, int(pos_)}; }

    void skipBlanks()
    {
        while (pos_ < text_.size() && text_[pos_].isSpace())
            ++pos_;
    }

    // The next character after blanks (0 at the end). Each precedence level looks at it once
    // instead of trying every operator it knows in turn.
    char16_t peek()
    {
        skipBlanks();
        return pos_ < text_.size() ? text_[pos_].unicode() : u'\0';
    }

    bool accept(QStringView token)
    {
        skipBlanks();
        if (pos_ >= text_.size() || text_[pos_] != token.front())
            return false;
        if (token.size() == 1 || text_.mid(pos_).startsWith(token)) {
            pos_ += token.size();
            return true;
        }
        return false;
    }

    Node *binary(Node::Op op, Node *l, Node *r)
    {
        Node *n = tree_->make();
        n->kind = Node::Kind::Binary;
        n->op = op;
        const Node *operands[] = {l, r};
        n->args = tree_->list(operands, 2);
        return n;
    }

    Node *withOperand(Node::Kind kind, Node *operand)
    {
        Node *n = tree_->make();
        n->kind = kind;
        n->args = tree_->list(&operand, 1);
        return n;
    }

    Node *comparison()
    {
        auto left = concat();
        for (;;) {
            const char16_t next = peek();
            if (next != u'<' && next != u'>' && next != u'=')
                return left;
            Node::Op op;
            if (accept(u"<>")) op = Node::Op::Ne;
            else if (accept(u"<=")) op = Node::Op::Le;
            else if (accept(u">=")) op = Node::Op::Ge;
            else if (accept(u"=")) op = Node::Op::Eq;
            else if (accept(u"<")) op = Node::Op::Lt;
            else if (accept(u">")) op = Node::Op::Gt;
            else return left;
            left = binary(op, left, concat());
        }
    }

    Node *concat()
    {
        auto left = additive();
        while (peek() == u'&') {
            ++pos_;
            left = binary(Node::Op::Concat, left, additive());
        }
        return left;
    }

    Node *additive()
    {
        auto left = term();
        for (;;) {
            const char16_t next = peek();
            if (next != u'+' && next != u'-')
                return left;
            ++pos_;
            left = binary(next == u'+' ? Node::Op::Add : Node::Op::Sub, left, term());
        }
    }

    Node *term()
    {
        auto left = power();
        for (;;) {
            const char16_t next = peek();
            if (next != u'*' && next != u'/')
                return left;
            ++pos_;
            left = binary(next == u'*' ? Node::Op::Mul : Node::Op::Div, left, power());
        }
    }

    // Excel evaluates ^ left to right and lets negation bind tighter: -2^2 = 4, 2^3^2 = 64.
    Node *power()
    {
        auto left = unary();
        while (peek() == u'^') {
            ++pos_;
            left = binary(Node::Op::Pow, left, unary());
        }
        return left;
    }

    Node *unary()
    {
        if (const char16_t sign = peek(); sign == u'-' || sign == u'+') {
            ++pos_;
            Deeper guard(*this);
            Node *n = withOperand(Node::Kind::Unary, unary());
            n->op = sign == u'-' ? Node::Op::Neg : Node::Op::Plus;
            return n;
        }
        auto operand = primary();
        while (peek() == u'%') {
            ++pos_;
            operand = withOperand(Node::Kind::Percent, operand);
        }
        return operand;
    }

    struct Deeper
    {
        explicit Deeper(Parser &p) : parser(p)
        {
            if (++parser.depth_ > kMaxFormulaDepth)
                parser.fail(QStringLiteral("公式嵌套过深"));
        }
        ~Deeper() { --parser.depth_; }
        Parser &parser;
    };

    Node *constant(const Value &v)
    {
        Node *n = tree_->make();
        n->constant = v;
        return n;
    }

    Node *primary()
    {
        skipBlanks();
        if (pos_ >= text_.size())
            fail(QStringLiteral("公式不完整"));
        const QChar c = text_[pos_];
        if (c == u'(') {
            Deeper guard(*this);
            ++pos_;
            auto inner = comparison();
            if (!accept(u")"))
                fail(QStringLiteral("缺少右括号"));
            inner->parentheses = std::uint8_t(std::min(inner->parentheses + 1, 255));
            return inner;
        }
        if (c == u'"')
            return stringLiteral();
        if (c == u'#')
            return errorLiteral();
        if (c == u'\'')
            return quotedSheetReference();
        if (c.isDigit() || c == u'.') {
            if (auto ref = reference(ownSheet_, true))
                return ref;
            return numberLiteral();
        }
        if (isNameChar(c))
            return name();
        fail(QStringLiteral("无法识别的字符“%1”").arg(c));
    }

    Node *stringLiteral()
    {
        ++pos_;
        QString s;
        for (;;) {
            if (pos_ >= text_.size())
                fail(QStringLiteral("文本缺少结束的引号"));
            const QChar c = text_[pos_++];
            if (c == u'"') {
                if (pos_ < text_.size() && text_[pos_] == u'"') {
                    s += u'"';
                    ++pos_;
                    continue;
                }
                return constant(Value::text(s));
            }
            s += c;
        }
    }

    Node *errorLiteral()
    {
        for (ErrorCode code : {ErrorCode::Null, ErrorCode::Div0, ErrorCode::Value, ErrorCode::Ref,
                               ErrorCode::Name, ErrorCode::Num, ErrorCode::NA}) {
            const QString t = errorText(code);
            if (text_.mid(pos_).startsWith(t, Qt::CaseInsensitive)) {
                pos_ += t.size();
                return constant(Value::error(code));
            }
        }
        fail(QStringLiteral("无法识别的错误值"));
    }

    Node *numberLiteral()
    {
        const qsizetype start = pos_;
        auto digits = [&] {
            while (pos_ < text_.size() && text_[pos_].isDigit() && text_[pos_].unicode() < 128)
                ++pos_;
        };
        digits();
        if (pos_ < text_.size() && text_[pos_] == u'.') {
            ++pos_;
            digits();
        }
        if (pos_ < text_.size() && (text_[pos_] == u'e' || text_[pos_] == u'E')) {
            const qsizetype save = pos_++;
            if (pos_ < text_.size() && (text_[pos_] == u'+' || text_[pos_] == u'-'))
                ++pos_;
            const qsizetype expStart = pos_;
            digits();
            if (pos_ == expStart)
                pos_ = save;
        }
        // Digits, '.', 'e' and signs only, so each character is one byte.
        std::string ascii;
        ascii.reserve(std::size_t(pos_ - start));
        for (qsizetype i = start; i < pos_; ++i)
            ascii.push_back(char(text_[i].unicode()));
        const auto v = numbers::parseDouble(ascii);
        if (!v)
            fail(QStringLiteral("无效的数字"));
        return constant(Value::number(*v));
    }

    // A1, $A$1, A1:B2, A:B or 1:3 at the current position; nothing (position unchanged) otherwise.
    Node *reference(int sheet, bool required = false)
    {
        const qsizetype start = pos_;
        qsizetype end = start;
        while (end < text_.size() && isRefChar(text_[end]))
            ++end;
        if (end < text_.size() && text_[end] == u':') {
            qsizetype end2 = end + 1;
            while (end2 < text_.size() && isRefChar(text_[end2]))
                ++end2;
            if (end2 > end + 1 && parseRange(text_.mid(start, end2 - start)))
                end = end2;
        }
        if (end < text_.size() && (isNameChar(text_[end]) || text_[end] == u'('))
            return nullptr;
        const QStringView token = text_.mid(start, end - start);
        // Without a ':' parseRange() accepts exactly what parseAddress() does: one cell.
        const auto range = parseRange(token);
        const qsizetype colon = colonIn(token);
        if (!range) {
            (void)required;
            return nullptr;
        }
        pos_ = end;
        Node *n = tree_->make();
        n->kind = Node::Kind::Reference;
        n->sheet = sheet;
        n->range = *range;
        n->isRange = colon >= 0;
        n->absolute = absoluteParts(token);
        noteMovingRows(*n, start, token, colon);
        return n;
    }

    // Which rows of the reference move with the formula, and for a formula in the tree (its
    // sheet exists) where they are written and how far they can move.
    void noteMovingRows(Node &n, qsizetype start, QStringView token, qsizetype colon)
    {
        struct Part
        {
            qsizetype digits, length;   // where the row number starts in the token, and its length
            bool moves;
            int row;
            bool plain;   // written [$]letters[$]digits; a '$' elsewhere ("D5$", "D$$5") is read but not moved
        };
        auto part = [&](qsizetype from, qsizetype to) {
            qsizetype i = to;
            while (i > from && token[i - 1].isDigit())
                --i;
            Part p{i, to - i, i < to && !(i > from && token[i - 1] == u'$'), 0, false};
            for (qsizetype k = i; k < to; ++k)
                p.row = p.row * 10 + (token[k].unicode() - u'0');
            qsizetype k = from;
            k += k < i && token[k] == u'$';
            while (k < i && token[k].isLetter())
                ++k;
            k += k < i && token[k] == u'$';
            p.plain = k == i;
            return p;
        };
        const Part first = part(0, colon < 0 ? token.size() : colon);
        const Part last = colon < 0 ? first : part(colon + 1, token.size());
        // A range written bottom row first ("D9:D$2") is kept top row first: its bits swap too.
        const bool swapped = first.row > last.row;
        const bool top = swapped ? last.moves : first.moves, bottom = swapped ? first.moves : last.moves;
        n.moves = std::uint8_t((top ? FirstRowMoves : 0) | (bottom ? LastRowMoves : 0));
        if (!rows_ || n.sheet < 0)
            return;
        RowNumbers &rows = *rows_;
        if (!first.plain || !last.plain)
            rows.movable = false;
        for (const Part *p : {&first, &last}) {
            if (p->moves) {
                if (p == &first || colon >= 0)
                    rows.written.push_back({start + p->digits, p->length, p->row});
                rows.minDelta = std::max(rows.minDelta, 1 - p->row);
                rows.maxDelta = std::min(rows.maxDelta, kMaxRows - p->row);
            }
        }
        if (colon < 0)
            return;
        if (swapped)
            rows.movable = false;
        else if (first.moves && !last.moves)
            rows.maxDelta = std::min(rows.maxDelta, last.row - first.row);
        else if (!first.moves && last.moves)
            rows.minDelta = std::max(rows.minDelta, first.row - last.row);
    }

    Node *sheetReference(const QString &sheetName)
    {
        const int sheet = sheets_ ? sheets_(sheetName) : -1;
        auto ref = reference(sheet);
        if (!ref)
            fail(QStringLiteral("工作表名后缺少单元格引用"));
        if (sheet < 0)
            return constant(Value::error(ErrorCode::Ref));
        return ref;
    }

    Node *quotedSheetReference()
    {
        ++pos_;
        QString name;
        for (;;) {
            if (pos_ >= text_.size())
                fail(QStringLiteral("工作表名缺少结束的单引号"));
            const QChar c = text_[pos_++];
            if (c == u'\'') {
                if (pos_ < text_.size() && text_[pos_] == u'\'') {
                    name += c;
                    ++pos_;
                    continue;
                }
                break;
            }
            name += c;
        }
        if (pos_ >= text_.size() || text_[pos_] != u'!')
            fail(QStringLiteral("工作表名后缺少“!”"));
        ++pos_;
        return sheetReference(name);
    }

    Node *name()
    {
        const qsizetype start = pos_;
        qsizetype end = start;
        while (end < text_.size() && isNameChar(text_[end]))
            ++end;
        const QStringView word = text_.mid(start, end - start);
        if (end < text_.size() && text_[end] == u'!') {
            pos_ = end + 1;
            return sheetReference(word.toString());
        }
        qsizetype after = end;
        while (after < text_.size() && text_[after].isSpace())
            ++after;
        if (after < text_.size() && text_[after] == u'(') {
            pos_ = after + 1;
            return call(word, start);
        }
        if (auto ref = reference(ownSheet_))
            return ref;
        pos_ = end;
        if (word.compare(u"TRUE", Qt::CaseInsensitive) == 0)
            return constant(Value::boolean(true));
        if (word.compare(u"FALSE", Qt::CaseInsensitive) == 0)
            return constant(Value::boolean(false));
        return constant(Value::error(ErrorCode::Name));
    }

    Node *call(QStringView word, qsizetype start)
    {
        Deeper guard(*this);
        Node *n = tree_->make();
        n->kind = Node::Kind::Call;
        n->function = findFunction(word);
        QVarLengthArray<const Node *, 8> args;
        if (!accept(u")")) {
            do {
                skipBlanks();
                if (pos_ < text_.size() && (text_[pos_] == u',' || text_[pos_] == u')'))
                    args.push_back(constant(Value()));   // an omitted argument
                else
                    args.push_back(comparison());
            } while (accept(u","));
            if (!accept(u")"))
                fail(QStringLiteral("函数 %1 缺少右括号").arg(word.toString()));
        }
        n->args = tree_->list(args.data(), std::size_t(args.size()));
        if (n->function >= 0) {
            const FunctionInfo &info = functionInfo(n->function);
            const int count = int(n->args.size());
            if (count < info.minArgs || (info.maxArgs >= 0 && count > info.maxArgs))
                throw SyntaxError{QStringLiteral("函数 %1 的参数个数不对").arg(word.toString().toUpper()), int(start)};
        }
        return n;
    }

    QStringView text_;
    std::unique_ptr<FormulaTree> tree_ = std::make_unique<FormulaTree>();
    qsizetype pos_ = 0;
    int ownSheet_;
    const SheetResolver &sheets_;
    RowNumbers *rows_;
    int depth_ = 0;
};

} // namespace

Node *FormulaTree::make()
{
    if (nodesUsed_ < kOwnNodes)
        return &nodes_[nodesUsed_++];
    if (moreNodesUsed_ == kBlock) {
        moreNodes_.push_back(std::make_unique<Node[]>(kBlock));
        moreNodesUsed_ = 0;
    }
    return &moreNodes_.back()[moreNodesUsed_++];
}

NodeList FormulaTree::list(const Node *const *items, std::size_t count)
{
    NodeList out;
    if (count == 0)
        return out;
    const Node **room;
    if (slotsUsed_ + count <= kOwnSlots) {
        room = &slots_[slotsUsed_];
        slotsUsed_ += count;
    } else {
        moreSlots_.push_back(std::make_unique<const Node *[]>(count));
        room = moreSlots_.back().get();
    }
    std::copy(items, items + count, room);
    out.items_ = room;
    out.size_ = count;
    return out;
}

QString parseText(const Node &n, int rowOffset)
{
    const CellRange r = rangeAt(n, rowOffset);
    const Value &v = n.constant;
    QString s = QStringLiteral("(%1 %2 %3 %4 %5 %6 s%7 f%8 %9:%10-%11:%12 v%13:%14:%15:%16")
                    .arg(int(n.kind)).arg(int(n.op)).arg(n.isRange).arg(n.absolute).arg(n.parentheses).arg(n.moves)
                    .arg(n.sheet).arg(n.function).arg(r.firstRow).arg(r.firstCol).arg(r.lastRow).arg(r.lastCol)
                    .arg(int(v.kind())).arg(v.asNumber(), 0, 'g', 17).arg(int(v.asError())).arg(v.isText() ? v.asText() : QString());
    for (const Node *a : n.args)
        s += parseText(*a, rowOffset);
    return s + u')';
}

ParsedFormula parseFormula(QStringView text, int ownSheet, const SheetResolver &sheets, RowNumbers *rows)
{
    return Parser(text, ownSheet, sheets, rows).run();
}

} // namespace mhbk::wb
