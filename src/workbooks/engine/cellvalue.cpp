#include "workbooks/engine/cellvalue.h"

#include <array>

namespace mhbk::wb {

namespace {
struct ErrorName
{
    ErrorCode code;
    const char *text;
};
constexpr std::array<ErrorName, 7> kErrorNames{{
    {ErrorCode::Null, "#NULL!"},
    {ErrorCode::Div0, "#DIV/0!"},
    {ErrorCode::Value, "#VALUE!"},
    {ErrorCode::Ref, "#REF!"},
    {ErrorCode::Name, "#NAME?"},
    {ErrorCode::Num, "#NUM!"},
    {ErrorCode::NA, "#N/A"},
}};
} // namespace

QString errorText(ErrorCode code)
{
    for (const auto &e : kErrorNames)
        if (e.code == code)
            return QString::fromLatin1(e.text);
    return QStringLiteral("#VALUE!");
}

bool errorFromText(const QString &text, ErrorCode *code)
{
    if (!text.startsWith(u'#'))   // every error value does; most texts tested here are not one
        return false;
    for (const auto &e : kErrorNames) {
        if (text.compare(QLatin1String(e.text), Qt::CaseInsensitive) == 0) {
            *code = e.code;
            return true;
        }
    }
    return false;
}

Value Value::number(double v)
{
    Value r;
    r.kind_ = Kind::Number;
    r.number_ = v;
    return r;
}

Value Value::text(const QString &v)
{
    Value r;
    r.kind_ = Kind::Text;
    r.text_ = v;
    return r;
}

Value Value::boolean(bool v)
{
    Value r;
    r.kind_ = Kind::Boolean;
    r.number_ = v ? 1 : 0;
    return r;
}

Value Value::error(ErrorCode e)
{
    Value r;
    r.kind_ = Kind::Error;
    r.error_ = e;
    return r;
}

bool Value::operator==(const Value &o) const
{
    if (kind_ != o.kind_)
        return false;
    switch (kind_) {
    case Kind::Empty: return true;
    case Kind::Number:
    case Kind::Boolean: return number_ == o.number_;
    case Kind::Text: return text_ == o.text_;
    case Kind::Error: return error_ == o.error_;
    }
    return false;
}

} // namespace mhbk::wb
