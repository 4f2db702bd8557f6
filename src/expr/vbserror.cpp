#include "expr/vbserror.h"

namespace mhbk::vbs {

namespace {

struct ErrorEntry {
    int number;
    const char *text;
};

constexpr ErrorEntry kErrors[] = {
    {errc::InvalidCall, "Invalid procedure call or argument"},
    {errc::Overflow, "Overflow"},
    {errc::DivisionByZero, "Division by zero"},
    {errc::TypeMismatch, "Type mismatch"},
    {errc::OutOfStackSpace, "Out of stack space"},
    {errc::ObjectVariableNotSet, "Object variable not set"},
    {errc::InvalidUseOfNull, "Invalid use of Null"},
    {errc::ObjectRequired, "Object required"},
    {errc::WrongArgumentCount, "Wrong number of arguments or invalid property assignment"},
    {errc::SyntaxError, "Syntax error"},
    {errc::ExpectedOpenParen, "Expected '('"},
    {errc::ExpectedCloseParen, "Expected ')'"},
    {errc::ExpectedExpression, "Expected expression"},
    {errc::ExpectedEndOfStatement, "Expected end of statement"},
    {errc::InvalidNumber, "Invalid number"},
    {errc::InvalidCharacter, "Invalid character"},
    {errc::UnterminatedString, "Unterminated string constant"},
};

} // namespace

QString errorText(int number)
{
    for (const ErrorEntry &entry : kErrors) {
        if (entry.number == number)
            return QString::fromLatin1(entry.text);
    }
    return QStringLiteral("Unknown runtime error");
}

ScriptException::ScriptException(ScriptError error)
    : error_(std::move(error)), what_(error_.description.toStdString())
{
}

void raise(int number, int position, const QString &name)
{
    QString text = errorText(number);
    if (!name.isEmpty())
        text += QStringLiteral(": '") + name + QLatin1Char('\'');
    throw ScriptException(ScriptError{number, text, position});
}

} // namespace mhbk::vbs
