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

    Kind kind() const { return kind_; }
    bool isEmpty() const { return kind_ == Kind::Empty; }
    bool isNumber() const { return kind_ == Kind::Number; }
    bool isText() const { return kind_ == Kind::Text; }
    bool isBoolean() const { return kind_ == Kind::Boolean; }
    bool isError() const { return kind_ == Kind::Error; }

    double asNumber() const { return number_; }   // Number; Boolean gives 0/1
    const QString &asText() const { return text_; } // Text only
    bool asBoolean() const { return number_ != 0; } // Boolean
    ErrorCode asError() const { return error_; }  // Error

    bool operator==(const Value &other) const;

private:
    // Small fields first: values sit in every cell and every formula node.
    Kind kind_ = Kind::Empty;
    ErrorCode error_ = ErrorCode::Value;
    double number_ = 0;
    QString text_;
};

} // namespace mhbk::wb
