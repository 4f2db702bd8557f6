#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

namespace mhbk::vbs {

// The subtypes that expressions can produce, numbered as VBScript's VarType() reports them.
enum class VarType : std::uint8_t {
    Empty = 0,
    Null = 1,
    Integer = 2,
    Long = 3,
    Single = 4,
    Double = 5,
    Currency = 6,
    String = 8,
    Object = 9, // only Nothing: expressions cannot create objects
    Boolean = 11,
    Byte = 17,
};

class Variant {
public:
    Variant() = default; // Empty

    static Variant null() { return Variant(VarType::Null); }
    static Variant nothing() { return Variant(VarType::Object); }
    static Variant boolean(bool value);
    static Variant integer(std::int16_t value);
    static Variant longValue(std::int32_t value);
    static Variant doubleValue(double value);
    static Variant byteValue(std::uint8_t value);
    static Variant single(float value);
    // Currency counts ten-thousandths: 1.5 is 15000.
    static Variant currency(std::int64_t tenThousandths);
    static Variant string(QString value);

    // The narrowest of Integer, Long and Double that holds the whole number exactly.
    static Variant fromWhole(long long value);

    VarType type() const { return type_; }
    bool isEmpty() const { return type_ == VarType::Empty; }
    bool isNull() const { return type_ == VarType::Null; }
    bool isString() const { return type_ == VarType::String; }
    bool isObject() const { return type_ == VarType::Object; }
    // Empty, Boolean and the number subtypes take part in arithmetic without conversion.
    bool isNumeric() const;

    bool booleanValue() const { return whole_ != 0; }
    std::int32_t wholeValue() const { return static_cast<std::int32_t>(whole_); } // Boolean (-1/0), Byte, Integer, Long
    double doubleValue() const { return real_; }                                      // Double, Single
    std::int64_t currencyValue() const { return whole_; }                             // in ten-thousandths
    const QString &stringValue() const { return text_; }

    // The value as a Double for numeric subtypes (Empty 0, True -1).
    double numericValue() const;

private:
    explicit Variant(VarType type) : type_(type) {}

    VarType type_ = VarType::Empty;
    std::int64_t whole_ = 0;
    double real_ = 0.0;
    QString text_;
};

// "Empty", "Integer", ... as TypeName() reports them.
QString typeName(VarType type);

// A text read as a number the way VBScript converts strings: blanks around it, a sign,
// decimals with an exponent, or &H / &O forms. No value for anything else.
std::optional<double> parseNumericText(QStringView text);

// A Double as VBScript prints it: up to 15 significant digits, no trailing zeros,
// exponent form ("1E+20", "1E-05") outside 1E-04 to 1E+15.
QString formatDouble(double value);
// A Single the same way with its 7 significant digits ("1E+07" from 1E+07 on).
QString formatSingle(float value);
// Currency as VBScript prints it: up to four decimals, never an exponent.
QString formatCurrency(std::int64_t tenThousandths);

// Halves to even, as Round, CInt, CLng, \ and Mod round.
double roundHalfEven(double value);

} // namespace mhbk::vbs
