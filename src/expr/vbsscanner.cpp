#include "expr/vbsscanner.h"

#include "expr/vbserror.h"
#include "numbers/decimal.h"

#include <charconv>
#include <cmath>
#include <string>

namespace mhbk::vbs {

namespace {

bool isAsciiLetter(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

bool isHexDigit(char16_t c)
{
    return isDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

struct Keyword {
    const char16_t *text;
    Tok kind;
    int constant; // 0: operator; 1 True, 2 False, 3 Empty, 4 Null, 5 Nothing
};

constexpr Keyword kKeywords[] = {
    {u"mod", Tok::Mod, 0},        {u"not", Tok::Not, 0},     {u"and", Tok::And, 0},
    {u"or", Tok::Or, 0},          {u"xor", Tok::Xor, 0},     {u"eqv", Tok::Eqv, 0},
    {u"imp", Tok::Imp, 0},        {u"is", Tok::Is, 0},       {u"true", Tok::Literal, 1},
    {u"false", Tok::Literal, 2},  {u"empty", Tok::Literal, 3}, {u"null", Tok::Literal, 4},
    {u"nothing", Tok::Literal, 5},
};

bool equalsIgnoreCase(const char16_t *word, const char16_t *text, int length)
{
    for (int i = 0; i < length; ++i) {
        if (word[i] == 0 || (text[i] | 0x20) != word[i])
            return false;
    }
    return word[length] == 0;
}

Variant keywordConstant(int constant)
{
    switch (constant) {
    case 1: return Variant::boolean(true);
    case 2: return Variant::boolean(false);
    case 4: return Variant::null();
    case 5: return Variant::nothing();
    default: return Variant();
    }
}

class Scanner {
public:
    explicit Scanner(const QString &text)
        : text_(reinterpret_cast<const char16_t *>(text.utf16())), size_(static_cast<int>(text.size()))
    {
    }

    std::vector<Token> run()
    {
        std::vector<Token> tokens;
        tokens.reserve(static_cast<std::size_t>(size_ / 2 + 2));
        while (true) {
            skipBlanks();
            Token token;
            token.position = pos_;
            if (pos_ >= size_) {
                tokens.push_back(token);
                return tokens;
            }
            next(token);
            token.length = pos_ - token.position;
            tokens.push_back(std::move(token));
        }
    }

private:
    char16_t at(int i) const { return i < size_ ? text_[i] : u'\0'; }

    void skipBlanks()
    {
        while (pos_ < size_) {
            const char16_t c = text_[pos_];
            if (c == u' ' || c == u'\t') {
                ++pos_;
            } else if (c == u'\'') { // a comment runs to the end of the line
                while (pos_ < size_ && text_[pos_] != u'\n' && text_[pos_] != u'\r')
                    ++pos_;
            } else {
                return;
            }
        }
    }

    void next(Token &token)
    {
        const char16_t c = text_[pos_];
        if (isDigit(c) || (c == u'.' && isDigit(at(pos_ + 1))))
            return decimal(token);
        if (isAsciiLetter(c))
            return name(token);
        if (c == u'"')
            return string(token);
        if (c == u'&' && radixLiteral(token))
            return;
        token.kind = punctuation(c);
    }

    Tok punctuation(char16_t c)
    {
        const int start = pos_++;
        switch (c) {
        case u'\r':
        case u'\n':
        case u':': return Tok::EndOfStatement;
        case u'(': return Tok::LParen;
        case u')': return Tok::RParen;
        case u',': return Tok::Comma;
        case u'+': return Tok::Plus;
        case u'-': return Tok::Minus;
        case u'*': return Tok::Star;
        case u'/': return Tok::Slash;
        case u'\\': return Tok::Backslash;
        case u'^': return Tok::Caret;
        case u'&': return Tok::Amp;
        case u'=': return follow(u'<') ? Tok::Le : follow(u'>') ? Tok::Ge : Tok::Eq;
        case u'<': return follow(u'>') ? Tok::Ne : follow(u'=') ? Tok::Le : Tok::Lt;
        case u'>': return follow(u'<') ? Tok::Ne : follow(u'=') ? Tok::Ge : Tok::Gt;
        default: raise(errc::InvalidCharacter, start);
        }
    }

    bool follow(char16_t c)
    {
        if (at(pos_) != c)
            return false;
        ++pos_;
        return true;
    }

    void decimal(Token &token)
    {
        const int start = pos_;
        bool whole = true;
        while (isDigit(at(pos_)))
            ++pos_;
        if (at(pos_) == u'.') {
            whole = false;
            ++pos_;
            while (isDigit(at(pos_)))
                ++pos_;
        }
        if ((at(pos_) | 0x20) == u'e') {
            int p = pos_ + 1;
            if (at(p) == u'+' || at(p) == u'-')
                ++p;
            if (!isDigit(at(p)))
                raise(errc::InvalidNumber, start);
            whole = false;
            pos_ = p;
            while (isDigit(at(pos_)))
                ++pos_;
        }
        std::string ascii(static_cast<std::size_t>(pos_ - start), '\0');
        for (int i = start; i < pos_; ++i)
            ascii[static_cast<std::size_t>(i - start)] = static_cast<char>(text_[i]);
        const auto parsed = numbers::parseDouble(ascii);
        if (!parsed)
            raise(errc::InvalidNumber, start);
        const double value = *parsed;
        token.kind = Tok::Literal;
        token.value = whole && value <= 2147483647.0 ? Variant::fromWhole(static_cast<long long>(value))
                                                     : Variant::doubleValue(value);
    }

    void name(Token &token)
    {
        const int start = pos_;
        while (isAsciiLetter(at(pos_)) || isDigit(at(pos_)) || at(pos_) == u'_')
            ++pos_;
        token.kind = Tok::Name;
        const int length = pos_ - start;
        if (length > 7)
            return;
        for (const Keyword &keyword : kKeywords) {
            if (equalsIgnoreCase(keyword.text, text_ + start, length)) {
                token.kind = keyword.kind;
                if (keyword.constant != 0)
                    token.value = keywordConstant(keyword.constant);
                return;
            }
        }
    }

    void string(Token &token)
    {
        const int start = pos_++;
        QString value;
        while (true) {
            if (pos_ >= size_ || text_[pos_] == u'\n' || text_[pos_] == u'\r')
                raise(errc::UnterminatedString, start);
            if (text_[pos_] == u'"') {
                if (at(pos_ + 1) != u'"')
                    break;
                ++pos_; // "" stands for one quote
            }
            value.append(QChar(text_[pos_++]));
        }
        ++pos_;
        token.kind = Tok::Literal;
        token.value = Variant::string(std::move(value));
    }

    // &Hxxxx, &Oxxx with an optional trailing "&" that forces a Long. Returns false when the
    // "&" is the concatenation operator.
    bool radixLiteral(Token &token)
    {
        const char16_t kind = at(pos_ + 1) | 0x20;
        const int radix = kind == u'h' ? 16 : kind == u'o' ? 8 : 0;
        if (radix == 0)
            return false;
        const int start = pos_;
        int p = pos_ + 2;
        unsigned long long value = 0;
        int digits = 0;
        while (radix == 16 ? isHexDigit(at(p)) : (at(p) >= u'0' && at(p) <= u'7')) {
            const char16_t c = at(p) | 0x20;
            value = value * static_cast<unsigned>(radix) + static_cast<unsigned>(isDigit(c) ? c - u'0' : c - u'a' + 10);
            if (value > 0xFFFFFFFFull)
                raise(errc::InvalidNumber, start);
            ++digits;
            ++p;
        }
        if (digits == 0)
            return false;
        const bool forceLong = at(p) == u'&';
        pos_ = forceLong ? p + 1 : p;
        token.kind = Tok::Literal;
        if (!forceLong && value <= 0xFFFFull)
            token.value = Variant::integer(static_cast<std::int16_t>(static_cast<std::uint16_t>(value)));
        else
            token.value = Variant::longValue(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
        return true;
    }

    const char16_t *text_;
    int size_;
    int pos_ = 0;
};

} // namespace

std::vector<Token> scan(const QString &text)
{
    return Scanner(text).run();
}

} // namespace mhbk::vbs
