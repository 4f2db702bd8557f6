#include "numbers/decimal.h"

#include "numbers/bignum.h"
#include "numbers/extended.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

namespace mhbk::numbers {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Rounds exact digits to `significant` digits, ties to even.
Digits roundExact(bool negative, std::string exact, int point, int significant)
{
    Digits d{negative, std::move(exact), point};
    const auto keep = static_cast<std::size_t>(significant);
    if (d.digits.size() <= keep) {
        d.digits.append(keep - d.digits.size(), '0');
        return d;
    }
    const char next = d.digits[keep];
    const bool restNonZero = d.digits.find_first_not_of('0', keep + 1) != std::string::npos;
    const bool odd = (d.digits[keep - 1] - '0') % 2 == 1;
    const bool up = next > '5' || (next == '5' && (restNonZero || odd));
    d.digits.resize(keep);
    if (up) {
        std::size_t i = keep;
        while (i > 0 && d.digits[i - 1] == '9')
            d.digits[--i] = '0';
        if (i > 0) {
            ++d.digits[i - 1];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            d.digits.pop_back();
            ++d.point;
        }
    }
    return d;
}

} // namespace

std::optional<std::string> asciiNumberText(std::u16string_view text)
{
    constexpr char16_t fullWidthFirst = u'\uFF01', fullWidthLast = u'\uFF5E'; // '！' .. '～'
    constexpr char16_t ideographicSpace = u'\u3000';
    std::string out;
    out.reserve(text.size());
    for (char16_t c : text) {
        if (c < 128) {
            out.push_back(char(c));
            continue;
        }
        // Full-width forms lie 0xFEE0 above their ASCII characters; only those a number uses.
        const char16_t ascii = c == ideographicSpace ? u' '
                               : c >= fullWidthFirst && c <= fullWidthLast ? char16_t(c - 0xFEE0)
                                                                          : u'\0';
        const bool numeric = (ascii >= u'0' && ascii <= u'9') || ascii == u'+' || ascii == u'-' || ascii == u'.' ||
                             ascii == u'e' || ascii == u'E' || ascii == u'%' || ascii == u',' || ascii == u' ';
        if (!numeric)
            return std::nullopt;
        out.push_back(char(ascii));
    }
    return out;
}

std::optional<DecimalText> scanDecimal(std::u16string_view text)
{
    const auto ascii = asciiNumberText(text);
    return ascii ? scanDecimal(std::string_view(*ascii)) : std::nullopt;
}

std::optional<DecimalText> scanDecimal(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    DecimalText out;
    std::size_t i = begin;
    if (i < end && (text[i] == '+' || text[i] == '-'))
        out.negative = text[i++] == '-';
    int fractionDigits = 0;
    bool point = false;
    for (; i < end; ++i) {
        if (isDigit(text[i])) {
            out.digits.push_back(text[i]);
            fractionDigits += point ? 1 : 0;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (out.digits.empty())
        return std::nullopt;
    long exponent = 0;
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < end && (text[i] == '+' || text[i] == '-'))
            negativeExponent = text[i++] == '-';
        const std::size_t first = i;
        for (; i < end && isDigit(text[i]); ++i)
            exponent = std::min(exponent * 10 + (text[i] - '0'), 1000000000L); // saturates far out of range
        if (i == first)
            return std::nullopt;
        exponent = negativeExponent ? -exponent : exponent;
    }
    if (i != end)
        return std::nullopt;
    out.exponent = static_cast<int>(exponent - fractionDigits);
    return out;
}

std::optional<double> toDouble(const DecimalText &text)
{
    const std::size_t first = text.digits.find_first_not_of('0');
    if (first == std::string::npos)
        return text.negative ? -0.0 : 0.0;
    const long leading = static_cast<long>(text.exponent) + static_cast<long>(text.digits.size() - first) - 1;
    if (leading > 400 || leading < -400)
        return std::nullopt;
    std::string ascii = text.digits.substr(first);
    ascii += 'e';
    ascii += std::to_string(text.exponent);
    double value = 0.0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (error != std::errc() || end != ascii.data() + ascii.size() || value == 0.0)
        return std::nullopt;
    return text.negative ? -value : value;
}

std::optional<double> parseDouble(std::string_view text)
{
    if (!text.empty() && text.front() == '-')
        return std::nullopt;
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool Digits::isZero() const
{
    return std::all_of(digits.begin(), digits.end(), [](char c) { return c == '0'; });
}

Digits toDigits(double value, int significant)
{
    if (value == 0.0)
        return Digits{std::signbit(value), std::string(static_cast<std::size_t>(significant), '0'), 1};
    // to_chars with a precision is exact by definition (the digits of the exact binary value,
    // rounded to nearest, ties to even) and has no locale.
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific,
                                   significant - 1).ptr;
    Digits d;
    d.negative = std::signbit(value);
    const char *e = std::find(buffer, end, 'e');
    for (const char *p = buffer; p < e; ++p) {
        if (*p != '.')
            d.digits.push_back(*p);
    }
    int exponent = 0;
    std::from_chars(e[1] == '+' ? e + 2 : e + 1, end, exponent);
    d.point = exponent + 1;
    return d;
}

Digits toDigits(const Extended &value, int significant)
{
    if (value.isZero())
        return Digits{value.isNegative(), std::string(static_cast<std::size_t>(significant), '0'), 1};
    Digits exact = exactDigits(value);
    return roundExact(exact.negative, std::move(exact.digits), exact.point, significant);
}

Digits exactDigits(double value) { return exactDigits(Extended(value)); }

Digits exactDigits(const Extended &value)
{
    if (value.isZero())
        return Digits{value.isNegative(), "0", 1};
    // |value| = significand × 2^scale; with a negative scale that is significand × 5^-scale × 10^scale.
    const int scale = value.exponent() - 63;
    detail::BigUnsigned n(value.significand());
    int decimalScale = 0;
    if (scale >= 0) {
        n.shiftLeft(scale);
    } else {
        n.multiplyByPowerOf5(-scale);
        decimalScale = scale;
    }
    Digits d{value.isNegative(), n.toDigits(), 0};
    d.point = static_cast<int>(d.digits.size()) + decimalScale;
    const std::size_t last = d.digits.find_last_not_of('0');
    d.digits.resize(last + 1);
    return d;
}

void roundHalfAway(Digits &d, int keep)
{
    if (keep >= static_cast<int>(d.digits.size()))
        return;
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep));
    if (!up)
        return;
    int i = keep - 1;
    while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9')
        d.digits[static_cast<std::size_t>(i--)] = '0';
    if (i >= 0) {
        ++d.digits[static_cast<std::size_t>(i)];
    } else {
        d.digits.insert(d.digits.begin(), '1');
        ++d.point;
    }
}

void trimZeros(Digits &d)
{
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
}

std::string fixedNotation(const Digits &d, int decimals, char point)
{
    const auto digitAt = [&d](int i) {
        return i >= 0 && i < static_cast<int>(d.digits.size()) ? d.digits[static_cast<std::size_t>(i)] : '0';
    };
    std::string text;
    if (d.negative && !d.isZero())
        text.push_back('-');
    if (d.point <= 0)
        text.push_back('0');
    for (int i = 0; i < d.point; ++i)
        text.push_back(digitAt(i));
    if (decimals > 0) {
        text.push_back(point);
        for (int i = 0; i < decimals; ++i)
            text.push_back(digitAt(d.point + i));
    }
    return text;
}

} // namespace mhbk::numbers
