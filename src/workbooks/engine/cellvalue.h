#pragma once

#include <QString>
#include <cstdint>

namespace mhbk::wb {

// Excel's error values. The numbering is ours; use errorText()/errorFromText() to convert.
enum class ErrorCode : std::uint8_t { Null, Div0, Value, Ref, Name, Num, NA };

// "#DIV/0!", "#VALUE!", ... exactly as Excel shows them.
QString errorText(ErrorCode code);
// The inverse of errorText (case-insensitive); false when `text` is no error value.
bool errorFromText(const QString &text, ErrorCode *code);

// What a cell holds after evaluation (or as a constant).
class Value
{
public:
    enum class Kind : std::uint8_t { Empty, Number, Text, Boolean, Error };

    Value() = default;
    static Value number(double v);
    static Value text(const QString &v);
    static Value boolean(bool v);
    static Value error(ErrorCode e);

    Kind kind() const { return m_kind; }
    bool isEmpty() const { return m_kind == Kind::Empty; }
    bool isNumber() const { return m_kind == Kind::Number; }
    bool isText() const { return m_kind == Kind::Text; }
    bool isBoolean() const { return m_kind == Kind::Boolean; }
    bool isError() const { return m_kind == Kind::Error; }

    double asNumber() const { return m_number; }   // Number; Boolean gives 0/1
    const QString &asText() const { return m_text; } // Text only
    bool asBoolean() const { return m_number != 0; } // Boolean
    ErrorCode asError() const { return m_error; }  // Error

    bool operator==(const Value &other) const;

private:
    // Small fields first: values sit in every cell and every formula node.
    Kind m_kind = Kind::Empty;
    ErrorCode m_error = ErrorCode::Value;
    double m_number = 0;
    QString m_text;
};

} // namespace mhbk::wb
