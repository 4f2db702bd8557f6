#pragma once

#include <QString>
#include <exception>
#include <string>

namespace mhbk::vbs {

// The engine's error numbers are VBScript's, so that a user who knows the Windows engine
// recognises every message.
namespace errc {
inline constexpr int InvalidCall = 5;
inline constexpr int Overflow = 6;
inline constexpr int DivisionByZero = 11;
inline constexpr int TypeMismatch = 13;
inline constexpr int OutOfStackSpace = 28;
inline constexpr int ObjectVariableNotSet = 91;
inline constexpr int InvalidUseOfNull = 94;
inline constexpr int ObjectRequired = 424;
inline constexpr int WrongArgumentCount = 450;
inline constexpr int SyntaxError = 1002;
inline constexpr int ExpectedOpenParen = 1005;
inline constexpr int ExpectedCloseParen = 1006;
inline constexpr int ExpectedExpression = 1023;
inline constexpr int ExpectedEndOfStatement = 1025;
inline constexpr int InvalidNumber = 1031;
inline constexpr int InvalidCharacter = 1032;
inline constexpr int UnterminatedString = 1033;
} // namespace errc

// The description of an error number, in Chinese as a Chinese system's script engine words
// it ("未知的运行时错误" for numbers it does not know).
QString errorText(int number);

struct ScriptError {
    int number = 0;
    QString description;
    int position = 0; // offset of the offending token in the expression text (UTF-16 units)
};

class ScriptException : public std::exception {
public:
    explicit ScriptException(ScriptError error);
    const ScriptError &error() const { return error_; }
    const char *what() const noexcept override { return what_.c_str(); }

private:
    ScriptError error_;
    std::string what_;
};

// Throws the error `number` at `position`; a non-empty `name` is appended as VBScript
// does for errors raised inside a named function: "溢出: 'CInt'".
[[noreturn]] void raise(int number, int position, const QString &name = {});

} // namespace mhbk::vbs
