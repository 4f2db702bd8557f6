#include "workbooks/engine/address.h"

#include <utility>

namespace mhbk::wb {

QString columnName(int col)
{
    QString name;
    int n = col + 1;
    while (n > 0) {
        const int rem = (n - 1) % 26;
        name.prepend(QChar(u'A' + rem));
        n = (n - 1) / 26;
    }
    return name;
}

QString addressText(int row, int col)
{
    return columnName(col) + QString::number(row + 1);
}

QString rangeText(const CellRange &r)
{
    const QString first = addressText(r.firstRow, r.firstCol);
    if (r.firstRow == r.lastRow && r.firstCol == r.lastCol)
        return first;
    return first + u':' + addressText(r.lastRow, r.lastCol);
}

std::optional<int> parseColumn(QStringView letters)
{
    if (letters.isEmpty() || letters.size() > 3)
        return std::nullopt;
    int n = 0;
    for (QChar c : letters) {
        const char16_t u = c.unicode() >= u'a' && c.unicode() <= u'z' ? char16_t(c.unicode() - (u'a' - u'A')) : c.unicode();
        if (u < u'A' || u > u'Z')
            return std::nullopt;
        n = n * 26 + (u - u'A' + 1);
    }
    if (n > kMaxColumns)
        return std::nullopt;
    return n - 1;
}

namespace {

std::optional<int> parseRowNumber(QStringView digits)
{
    if (digits.isEmpty() || digits.size() > 7 || digits.front() == u'0')
        return std::nullopt;
    int n = 0;
    for (QChar c : digits) {
        if (!c.isDigit() || c.unicode() > 127)
            return std::nullopt;
        n = n * 10 + (c.unicode() - u'0');
    }
    if (n > kMaxRows)
        return std::nullopt;
    return n - 1;
}

// The text without the blanks around it and without any '$', kept on the stack: formulas
// parse thousands of references, and none of them needs an allocation. The longest valid
// range, "XFD1048576:XFD1048576", has 21 characters; anything longer is no address.
class Stripped
{
public:
    explicit Stripped(QStringView text)
    {
        const bool blankAround = !text.isEmpty() && (text.front().isSpace() || text.back().isSpace());
        for (QChar c : blankAround ? text.trimmed() : text) {
            if (c == u'$')
                continue;
            if (size_ == kCapacity) {
                tooLong_ = true;
                return;
            }
            chars_[size_++] = c.unicode();
        }
    }
    bool tooLong() const { return tooLong_; }
    QStringView view() const { return QStringView(chars_, size_); }

private:
    static constexpr qsizetype kCapacity = 24;
    char16_t chars_[kCapacity] = {};
    qsizetype size_ = 0;
    bool tooLong_ = false;
};

std::optional<CellAddress> parseStrippedAddress(QStringView t)
{
    qsizetype split = 0;
    while (split < t.size() && t[split].isLetter() && t[split].unicode() < 128)
        ++split;
    const auto col = parseColumn(t.left(split));
    const auto row = parseRowNumber(t.mid(split));
    if (!col || !row)
        return std::nullopt;
    return CellAddress{*row, *col};
}

} // namespace

std::optional<CellAddress> parseAddress(QStringView text)
{
    const Stripped t(text);
    if (t.tooLong())
        return std::nullopt;
    return parseStrippedAddress(t.view());
}

std::optional<CellRange> parseRange(QStringView text)
{
    const Stripped stripped(text);
    if (stripped.tooLong())
        return std::nullopt;
    const QStringView t = stripped.view();
    const qsizetype colon = colonIn(t);
    if (colon < 0) {
        const auto a = parseStrippedAddress(t);
        if (!a)
            return std::nullopt;
        return CellRange{a->row, a->col, a->row, a->col};
    }
    const QStringView left = t.left(colon), right = t.mid(colon + 1);
    CellRange r;
    if (const auto a = parseStrippedAddress(left), b = parseStrippedAddress(right); a && b) {
        r = {a->row, a->col, b->row, b->col};
    } else if (const auto c1 = parseColumn(left), c2 = parseColumn(right); c1 && c2) {
        r = {0, *c1, kMaxRows - 1, *c2};
    } else if (const auto r1 = parseRowNumber(left), r2 = parseRowNumber(right); r1 && r2) {
        r = {*r1, 0, *r2, kMaxColumns - 1};
    } else {
        return std::nullopt;
    }
    if (r.firstRow > r.lastRow)
        std::swap(r.firstRow, r.lastRow);
    if (r.firstCol > r.lastCol)
        std::swap(r.firstCol, r.lastCol);
    return r;
}

} // namespace mhbk::wb
