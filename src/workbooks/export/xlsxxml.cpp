#include "workbooks/export/xlsxxml.h"

#include <charconv>

namespace mhbk::xlsout {
namespace {

bool isHexDigit(char16_t c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

// A literal "_x0041_" in a text would be read as the escape of "A"; its underscore is escaped.
bool startsEscapeLookalike(const QChar *p, const QChar *end)
{
    if (end - p < 7 || p[1] != u'x' || p[6] != u'_')
        return false;
    for (int i = 2; i < 6; ++i)
        if (!isHexDigit(p[i].unicode()))
            return false;
    return true;
}

void appendHexEscape(std::string &out, unsigned code)
{
    static const char digits[] = "0123456789ABCDEF";
    const char escape[] = {'_', 'x', digits[(code >> 12) & 15], digits[(code >> 8) & 15], digits[(code >> 4) & 15],
                           digits[code & 15], '_'};
    out.append(escape, sizeof escape);
}

void appendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(char(c));
    } else if (c < 0x800) {
        out.push_back(char(0xC0 | (c >> 6)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(char(0xE0 | (c >> 12)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (c >> 18)));
        out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    }
}

// Appends the character at p (a surrogate pair counts as one) and returns where the next starts.
// A lone surrogate cannot be encoded and becomes "?".
const QChar *appendCharacter(std::string &out, const QChar *p, const QChar *end)
{
    const char16_t c = p->unicode();
    if (QChar::isHighSurrogate(c) && p + 1 < end && p[1].isLowSurrogate()) {
        appendUtf8(out, QChar::surrogateToUcs4(c, p[1].unicode()));
        return p + 2;
    }
    appendUtf8(out, QChar::isSurrogate(c) ? char32_t(u'?') : char32_t(c));
    return p + 1;
}

} // namespace

XmlBuffer &XmlBuffer::raw(const char *markup)
{
    data_.append(markup);
    return *this;
}

void XmlBuffer::escaped(QStringView text, bool inAttribute)
{
    const QChar *p = text.data();
    const QChar *const end = p + text.size();
    while (p < end) {
        const char16_t c = p->unicode();
        switch (c) {
        case u'&': data_.append("&amp;", 5); break;
        case u'<': data_.append("&lt;", 4); break;
        case u'>': data_.append("&gt;", 4); break;
        // Attribute values lose their tabs and line breaks to white-space normalisation
        // unless these are written as references.
        case u'"': data_.append(inAttribute ? "&quot;" : "\""); break;
        case u'\t': data_.append(inAttribute ? "&#9;" : "\t"); break;
        case u'\n': data_.append(inAttribute ? "&#10;" : "\n"); break;
        case u'_':
            if (startsEscapeLookalike(p, end))
                appendHexEscape(data_, c);
            else
                data_.push_back('_');
            break;
        default:
            if (c < 0x20 || c == 0xFFFE || c == 0xFFFF) {
                appendHexEscape(data_, c);
                break;
            }
            if (c < 0x80) {
                data_.push_back(char(c));
                break;
            }
            p = appendCharacter(data_, p, end);
            continue;
        }
        ++p;
    }
}

XmlBuffer &XmlBuffer::text(QStringView text)
{
    escaped(text, false);
    return *this;
}

XmlBuffer &XmlBuffer::attr(const char *name, const QString &value)
{
    data_.append(1, ' ').append(name).append("=\"", 2);
    escaped(value, true);
    data_.push_back('"');
    return *this;
}

XmlBuffer &XmlBuffer::attr(const char *name, double value)
{
    data_.append(1, ' ').append(name).append("=\"", 2);
    number(value);
    data_.push_back('"');
    return *this;
}

XmlBuffer &XmlBuffer::attr(const char *name, int value)
{
    data_.append(1, ' ').append(name).append("=\"", 2);
    integer(value);
    data_.push_back('"');
    return *this;
}

XmlBuffer &XmlBuffer::number(double value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    data_.append(text, std::size_t(result.ptr - text));
    return *this;
}

XmlBuffer &XmlBuffer::integer(long long value)
{
    char text[24];
    const auto result = std::to_chars(text, text + sizeof text, value);
    data_.append(text, std::size_t(result.ptr - text));
    return *this;
}

XmlBuffer &XmlBuffer::cellRef(int row, int col)
{
    char letters[4];
    int n = 0;
    for (int c = col + 1; c > 0; c = (c - 1) / 26)
        letters[n++] = char('A' + (c - 1) % 26);
    while (n > 0)
        data_.push_back(letters[--n]);
    return integer(row + 1);
}

bool needsSpacePreserved(const QString &text)
{
    if (text.isEmpty())
        return false;
    auto space = [](QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f'; };
    return space(text.front()) || space(text.back());
}

} // namespace mhbk::xlsout
