#include "workbooks/export/exportbook.h"

namespace mhbk::xlsout {

QString errorText(ErrorCode code)
{
    switch (code) {
    case ErrorCode::Null: return QStringLiteral("#NULL!");
    case ErrorCode::Div0: return QStringLiteral("#DIV/0!");
    case ErrorCode::Value: return QStringLiteral("#VALUE!");
    case ErrorCode::Ref: return QStringLiteral("#REF!");
    case ErrorCode::Name: return QStringLiteral("#NAME?");
    case ErrorCode::Num: return QStringLiteral("#NUM!");
    case ErrorCode::NA: return QStringLiteral("#N/A");
    }
    return QStringLiteral("#VALUE!");
}

} // namespace mhbk::xlsout
