#include "expr/vbsparser.h"

#include "expr/vbserror.h"
#include "expr/vbsfunctions.h"

#include <algorithm>

namespace mhbk::vbs {

namespace {

// Binding strength of the binary operators, weakest first; Not sits between And and the
// comparisons, the unary signs above "^".
enum Level : int {
    None = 0,
    LevelImp = 1,
    LevelEqv,
    LevelXor,
    LevelOr,
    LevelAnd,
    LevelNot,
    LevelCompare,
    LevelConcat,
    LevelAdd,
    LevelMod,
    LevelIntDivide,
    LevelMultiply,
    LevelPower,
};

struct BinaryOp {
    Level level;
    Op op;
};

BinaryOp binaryOp(Tok kind)
{
    switch (kind) {
    case Tok::Imp: return {LevelImp, Op::Imp};
    case Tok::Eqv: return {LevelEqv, Op::Eqv};
    case Tok::Xor: return {LevelXor, Op::Xor};
    case Tok::Or: return {LevelOr, Op::Or};
    case Tok::And: return {LevelAnd, Op::And};
    case Tok::Eq: return {LevelCompare, Op::Equal};
    case Tok::Ne: return {LevelCompare, Op::NotEqual};
    case Tok::Lt: return {LevelCompare, Op::Less};
    case Tok::Gt: return {LevelCompare, Op::Greater};
    case Tok::Le: return {LevelCompare, Op::LessEqual};
    case Tok::Ge: return {LevelCompare, Op::GreaterEqual};
    case Tok::Is: return {LevelCompare, Op::Is};
    case Tok::Amp: return {LevelConcat, Op::Concat};
    case Tok::Plus: return {LevelAdd, Op::Add};
    case Tok::Minus: return {LevelAdd, Op::Subtract};
    case Tok::Mod: return {LevelMod, Op::Mod};
    case Tok::Backslash: return {LevelIntDivide, Op::IntDivide};
    case Tok::Star: return {LevelMultiply, Op::Multiply};
    case Tok::Slash: return {LevelMultiply, Op::Divide};
    case Tok::Caret: return {LevelPower, Op::Power};
    default: return {None, Op::Push};
    }
}

class Parser {
public:
    Parser(const QString &source, const std::vector<Token> &tokens) : tokens_(tokens), source_(source)
    {
        program_.code.reserve(tokens.size());
    }

    // Randomize statements may come first; the one expression, if any, is the value.
    Program run()
    {
        skipStatementEnds();
        while (isRandomize(current())) {
            randomizeStatement();
            if (current().kind != Tok::End && current().kind != Tok::EndOfStatement)
                raise(errc::ExpectedEndOfStatement, current().position);
            skipStatementEnds();
        }
        if (current().kind == Tok::End) {
            program_.empty = program_.code.empty();
            return std::move(program_);
        }
        expression(LevelImp);
        skipStatementEnds();
        if (current().kind != Tok::End)
            raise(errc::ExpectedEndOfStatement, current().position);
        return std::move(program_);
    }

private:
    const Token &current() const { return tokens_[pos_]; }
    const Token &advance() { return tokens_[pos_++]; }

    bool isRandomize(const Token &token) const
    {
        return token.kind == Tok::Name && nameText(token).compare(u"Randomize", Qt::CaseInsensitive) == 0;
    }

    // "Randomize" seeds from the clock, "Randomize seed" from the seed.
    void randomizeStatement()
    {
        const int position = advance().position;
        if (current().kind == Tok::End || current().kind == Tok::EndOfStatement) {
            put(Op::Randomize, position, 0);
            return;
        }
        expression(LevelImp);
        put(Op::Randomize, position, -1, 0, 1);
    }

    void skipStatementEnds()
    {
        while (current().kind == Tok::EndOfStatement)
            ++pos_;
    }

    // Keeps the nesting of the recursive descent bounded.
    struct DepthGuard {
        DepthGuard(int &depth, int position) : depth_(depth)
        {
            if (++depth_ > kMaxNesting)
                raise(errc::OutOfStackSpace, position);
        }
        ~DepthGuard() { --depth_; }
        int &depth_;
    };

    void put(Op op, int position, int stackEffect, std::uint16_t index = 0, std::uint8_t argc = 0)
    {
        program_.code.push_back(Instruction{op, argc, index, position});
        stack_ += stackEffect;
        program_.maxStack = std::max(program_.maxStack, stack_);
    }

    // Precedence climbing: operators at `minLevel` or stronger; every level is left-associative.
    void expression(int minLevel)
    {
        DepthGuard guard(depth_, current().position);
        if (current().kind == Tok::Not && minLevel <= LevelNot) {
            const int position = advance().position;
            expression(LevelNot);
            put(Op::Not, position, 0);
        } else {
            unary();
        }
        while (true) {
            const BinaryOp op = binaryOp(current().kind);
            if (op.level == None || op.level < minLevel)
                return;
            const int position = advance().position;
            expression(op.level + 1);
            put(op.op, position, -1);
        }
    }

    void unary()
    {
        const Tok kind = current().kind;
        if (kind != Tok::Minus && kind != Tok::Plus)
            return primary();
        DepthGuard guard(depth_, current().position);
        const int position = advance().position;
        unary();
        put(kind == Tok::Minus ? Op::Negate : Op::Identity, position, 0);
    }

    void primary()
    {
        const Token &token = current();
        switch (token.kind) {
        case Tok::Literal:
            ++pos_;
            program_.constants.push_back(token.value);
            put(Op::Push, token.position, 1, static_cast<std::uint16_t>(program_.constants.size() - 1));
            return;
        case Tok::LParen: {
            DepthGuard guard(depth_, token.position);
            ++pos_;
            expression(LevelImp);
            expect(Tok::RParen, errc::ExpectedCloseParen);
            return;
        }
        case Tok::Name:
            return name();
        default:
            raise(errc::ExpectedExpression, token.position);
        }
    }

    void expect(Tok kind, int error)
    {
        if (current().kind != kind)
            raise(error, current().position);
        ++pos_;
    }

    void name()
    {
        // Randomize is a statement: it has no value to give an expression.
        if (isRandomize(current()))
            raise(errc::SyntaxError, current().position);
        const Token &token = advance();
        const int function = findBuiltin(nameText(token));
        if (current().kind != Tok::LParen) {
            if (function >= 0 && builtin(function).minArgs == 0) {
                put(Op::Call, token.position, 1, static_cast<std::uint16_t>(function), 0);
                return;
            }
            if (function >= 0)
                raise(errc::WrongArgumentCount, token.position, QString::fromUtf16(builtin(function).name));
            program_.names.push_back(nameText(token).toString());
            put(Op::PushUnknown, token.position, 1, static_cast<std::uint16_t>(program_.names.size() - 1));
            return;
        }
        DepthGuard guard(depth_, token.position);
        ++pos_;
        const int argc = arguments();
        if (function < 0) {
            program_.names.push_back(nameText(token).toString());
            put(Op::CallUnknown, token.position, 1 - argc, static_cast<std::uint16_t>(program_.names.size() - 1),
                 static_cast<std::uint8_t>(std::min(argc, 255)));
            return;
        }
        const Builtin &fn = builtin(function);
        if (argc < fn.minArgs || argc > fn.maxArgs)
            raise(errc::WrongArgumentCount, token.position, QString::fromUtf16(fn.name));
        put(Op::Call, token.position, 1 - argc, static_cast<std::uint16_t>(function), static_cast<std::uint8_t>(argc));
    }

    int arguments()
    {
        int argc = 0;
        if (current().kind == Tok::RParen) {
            ++pos_;
            return 0;
        }
        while (true) {
            expression(LevelImp);
            ++argc;
            if (current().kind == Tok::Comma) {
                ++pos_;
                continue;
            }
            expect(Tok::RParen, errc::ExpectedCloseParen);
            return argc;
        }
    }

    QStringView nameText(const Token &token) const { return QStringView(source_).mid(token.position, token.length); }

    const std::vector<Token> &tokens_;
    const QString &source_;
    std::size_t pos_ = 0;
    int depth_ = 0;
    int stack_ = 0;
    Program program_;
};

} // namespace

Program parse(const QString &text, const std::vector<Token> &tokens)
{
    return Parser(text, tokens).run();
}

} // namespace mhbk::vbs
