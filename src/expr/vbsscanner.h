#pragma once

#include "expr/vbsvariant.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace mhbk::vbs {

enum class Tok : std::uint8_t {
    End,
    EndOfStatement, // a line break or ":"
    Literal,        // number, string or keyword constant; the value is in Token::value
    Name,
    LParen,
    RParen,
    Comma,
    Plus,
    Minus,
    Star,
    Slash,
    Backslash,
    Caret,
    Amp,
    Eq,
    Ne,
    Lt,
    Gt,
    Le,
    Ge,
    Is,
    Mod,
    Not,
    And,
    Or,
    Xor,
    Eqv,
    Imp,
};

struct Token {
    Tok kind = Tok::End;
    int position = 0; // offset in the text
    int length = 0;
    Variant value;    // for Literal
};

// Splits an expression into tokens; every token keeps where it stands in the text.
// Throws ScriptException (Invalid character, Invalid number, Unterminated string constant).
std::vector<Token> scan(const QString &text);

} // namespace mhbk::vbs
