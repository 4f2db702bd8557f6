#include "expr/vbserror.h"

namespace mhbk::vbs {

namespace {

struct ErrorEntry {
    int number;
    const char *text;
};

// The descriptions a Chinese system's script engine gives for these numbers.
constexpr ErrorEntry kErrors[] = {
    {errc::InvalidCall, "无效的过程调用或参数"},
    {errc::Overflow, "溢出"},
    {errc::DivisionByZero, "被零除"},
    {errc::TypeMismatch, "类型不匹配"},
    {errc::OutOfStackSpace, "堆栈溢出"},
    {errc::ObjectVariableNotSet, "对象变量未设置"},
    {errc::InvalidUseOfNull, "无效使用 Null"},
    {errc::ObjectRequired, "缺少对象"},
    {errc::WrongArgumentCount, "错误的参数个数或无效的参数属性值"},
    {errc::SyntaxError, "语法错误"},
    {errc::ExpectedOpenParen, "缺少 '('"},
    {errc::ExpectedCloseParen, "缺少 ')'"},
    {errc::ExpectedExpression, "缺少表达式"},
    {errc::ExpectedEndOfStatement, "语句未结束"},
    {errc::InvalidNumber, "无效数字"},
    {errc::InvalidCharacter, "无效字符"},
    {errc::UnterminatedString, "未结束的字符串常量"},
};

} // namespace

QString errorText(int number)
{
    for (const ErrorEntry &entry : kErrors) {
        if (entry.number == number)
            return QString::fromUtf8(entry.text);
    }
    return QStringLiteral("未知的运行时错误");
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
