#include "workbooks/engine/jsontree.h"

#include <algorithm>
#include <charconv>
#include <cstddef>

namespace mhbk::wb {

namespace {

// Offsets and sizes are kept in 32 bits; no stored workbook comes near this.
constexpr qsizetype kMaxJsonBytes = qsizetype(1) << 30;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Whether `c` can begin a value: then a missing separator, not a stray character, is the fault.
bool startsValue(char c)
{
    return isDigit(c) || c == '-' || c == '"' || c == '[' || c == '{' || c == 't' || c == 'f' || c == 'n';
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Appends `cp` in UTF-8; a surrogate code point gets the same 3-byte form as any other.
void appendUtf8(std::string &out, char32_t cp)
{
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

// Length of the well-formed UTF-8 sequence (2 to 4 bytes) at `p`, or 0.
int utf8SequenceLength(const unsigned char *p, const unsigned char *end)
{
    const unsigned char lead = p[0];
    int length = 0;
    unsigned char low = 0x80, high = 0xBF;   // the allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) length = 2;
    else if (lead == 0xE0) length = 3, low = 0xA0;
    else if (lead == 0xED) length = 3, high = 0x9F;   // no surrogates
    else if (lead >= 0xE1 && lead <= 0xEF) length = 3;
    else if (lead == 0xF0) length = 4, low = 0x90;
    else if (lead >= 0xF1 && lead <= 0xF3) length = 4;
    else if (lead == 0xF4) length = 4, high = 0x8F;
    if (length == 0 || end - p < length || p[1] < low || p[1] > high)
        return 0;
    for (int i = 2; i < length; ++i)
        if ((p[i] & 0xC0) != 0x80)
            return 0;
    return length;
}

} // namespace

// Recursive descent over the text; a fault throws Stop, which the tree turns into its error.
class JsonParser
{
public:
    explicit JsonParser(JsonTree &tree)
        : m_tree(tree), m_begin(tree.m_source.constData()), m_p(m_begin), m_end(m_begin + tree.m_source.size())
    {
    }

    void run()
    {
        if (m_tree.m_source.size() >= kMaxJsonBytes)
            stop(m_begin, "文件过大");
        if (m_end - m_p >= 3 && std::string_view(m_p, 3) == "\xEF\xBB\xBF")
            m_p += 3;
        // A stored workbook holds about one value in ten bytes, most of them array elements.
        // Room for one in eight is reserved; what is not used is never touched.
        const size_t expected = size_t(m_end - m_p) / 8 + 16;
        m_tree.m_tags.reserve(expected);
        m_tree.m_payloads.reserve(expected);
        m_tree.m_elements.reserve(expected);
        skipSpace();
        if (m_p == m_end)
            stop(m_p, "文件为空");
        value(0);
        skipSpace();
        if (m_p != m_end)
            stop(m_p, "文档结尾有多余内容");
    }

    struct Stop
    {
        qsizetype offset;
        const char *reason;
    };

private:
    using Kind = JsonValue::Kind;

    [[noreturn]] void stop(const char *at, const char *reason) { throw Stop{at - m_begin, reason}; }

    void skipSpace()
    {
        while (m_p != m_end && (*m_p == ' ' || *m_p == '\n' || *m_p == '\r' || *m_p == '\t'))
            ++m_p;
    }

    std::uint32_t addNode(Kind kind)
    {
        m_tree.m_tags.push_back({kind, 0});
        m_tree.m_payloads.push_back({});
        return std::uint32_t(m_tree.m_tags.size() - 1);
    }

    // At the first character of a value.
    std::uint32_t value(int depth)
    {
        if (m_p == m_end)
            stop(m_p, "文件意外结束");
        switch (*m_p) {
        case '{': return object(depth + 1);
        case '[': return array(depth + 1);
        case '"': {
            const std::uint32_t node = addNode(Kind::String);
            const auto [offset, size, flags] = string();
            m_tree.m_payloads[node].span = {offset, size};
            m_tree.m_tags[node].flags = flags;
            return node;
        }
        case 't': return literal("true", Kind::Bool, true);
        case 'f': return literal("false", Kind::Bool, false);
        case 'n': return literal("null", Kind::Null, false);
        default:
            if (*m_p == '-' || isDigit(*m_p))
                return number();
            stop(m_p, "无效的值");
        }
    }

    std::uint32_t literal(std::string_view word, Kind kind, bool boolean)
    {
        if (std::string_view(m_p, std::min<size_t>(word.size(), size_t(m_end - m_p))) != word)
            stop(m_p, "无效的值");
        m_p += word.size();
        const std::uint32_t node = addNode(kind);
        m_tree.m_payloads[node].boolean = boolean;
        return node;
    }

    void expectDigit()
    {
        if (m_p == m_end || !isDigit(*m_p))
            stop(m_p, "无效的数");
    }

    // Steps over a run of digits, adding them to `mantissa`; returns how many there were.
    int digits(std::uint64_t &mantissa)
    {
        int count = 0;
        for (; m_p != m_end && isDigit(*m_p); ++m_p, ++count)
            if (count < 19)
                mantissa = mantissa * 10 + std::uint64_t(*m_p - '0');
        return count;
    }

    std::uint32_t number()
    {
        const char *start = m_p;
        const bool negative = *m_p == '-';
        if (negative)
            ++m_p;
        expectDigit();
        std::uint64_t mantissa = 0;
        int count = 1;
        if (*m_p == '0')
            ++m_p;
        else
            count = digits(mantissa);
        int exponent = 0;
        if (m_p != m_end && *m_p == '.') {
            ++m_p;
            expectDigit();
            const int decimals = digits(mantissa);
            count += decimals;
            exponent -= decimals;
        }
        if (m_p != m_end && (*m_p == 'e' || *m_p == 'E')) {
            ++m_p;
            const bool down = m_p != m_end && *m_p == '-';
            if (m_p != m_end && (*m_p == '+' || *m_p == '-'))
                ++m_p;
            expectDigit();
            std::uint64_t e = 0;
            if (digits(e) > 4)
                count = 99;   // far out of the fast range: left to from_chars
            else
                exponent += down ? -int(e) : int(e);
        }
        const std::uint32_t node = addNode(Kind::Number);
        m_tree.m_payloads[node].number = convert(start, negative, mantissa, count, exponent);
        return node;
    }

    // Up to 15 digits times a power of ten up to 22 are both exact doubles, so one multiplication
    // or division rounds correctly; anything else goes to from_chars.
    double convert(const char *start, bool negative, std::uint64_t mantissa, int count, int exponent)
    {
        static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
        if (count <= 15 && exponent >= -22 && exponent <= 22) {
            const double m = double(mantissa);
            const double d = exponent < 0 ? m / kPowers[-exponent] : m * kPowers[exponent];
            return negative ? -d : d;
        }
        double d = 0;
        if (std::from_chars(start, m_p, d).ec != std::errc())
            stop(start, "数值超出范围");   // the grammar was checked: only the range is left
        return d;
    }

    struct StringSpan
    {
        std::uint32_t offset;
        std::uint32_t size;
        std::uint8_t flags;
    };

    // At the opening quote; leaves m_p after the closing one. Text without escapes stays where
    // it is in the source.
    StringSpan string()
    {
        const char *quote = m_p++;
        const char *start = m_p;
        while (true) {
            if (m_p == m_end)
                stop(quote, "字符串没有结束");
            const unsigned char c = static_cast<unsigned char>(*m_p);
            if (c == '"') {
                ++m_p;
                return {std::uint32_t(start - m_begin), std::uint32_t(m_p - 1 - start), 0};
            }
            if (c == '\\')
                return unescapedString(quote, start);
            plainCharacter(c);
        }
    }

    // Steps over one character that needs no unescaping, checking it.
    void plainCharacter(unsigned char c)
    {
        if (c < 0x20)
            stop(m_p, "字符串里有未转义的控制字符");
        if (c < 0x80) {
            ++m_p;
            return;
        }
        const int length = utf8SequenceLength(reinterpret_cast<const unsigned char *>(m_p),
                                              reinterpret_cast<const unsigned char *>(m_end));
        if (length == 0)
            stop(m_p, "无效的 UTF-8 编码");
        m_p += length;
    }

    // The rest of a string from its first backslash, copied into the tree's own buffer.
    StringSpan unescapedString(const char *quote, const char *start)
    {
        std::string &out = m_tree.m_unescaped;
        const size_t offset = out.size();
        out.append(start, size_t(m_p - start));
        std::uint8_t flags = JsonTree::kUnescaped;
        while (true) {
            if (m_p == m_end)
                stop(quote, "字符串没有结束");
            const unsigned char c = static_cast<unsigned char>(*m_p);
            if (c == '"')
                break;
            if (c == '\\') {
                if (escape(out))
                    flags |= JsonTree::kLoneSurrogate;
                continue;
            }
            const char *from = m_p;
            plainCharacter(c);
            out.append(from, size_t(m_p - from));
        }
        ++m_p;
        if (out.size() >= size_t(kMaxJsonBytes))
            stop(m_p, "文件过大");
        return {std::uint32_t(offset), std::uint32_t(out.size() - offset), flags};
    }

    // At a backslash: appends what the escape stands for. True when that was a lone surrogate.
    bool escape(std::string &out)
    {
        const char *at = m_p++;
        if (m_p == m_end)
            stop(at, "无效的转义序列");
        const char c = *m_p++;
        switch (c) {
        case '"': case '\\': case '/': out += c; return false;
        case 'b': out += '\b'; return false;
        case 'f': out += '\f'; return false;
        case 'n': out += '\n'; return false;
        case 'r': out += '\r'; return false;
        case 't': out += '\t'; return false;
        case 'u': break;
        default: stop(at, "无效的转义序列");
        }
        char32_t cp = hex4(at);
        bool lone = cp >= 0xD800 && cp <= 0xDFFF;
        if (cp >= 0xD800 && cp <= 0xDBFF && m_end - m_p >= 6 && m_p[0] == '\\' && m_p[1] == 'u') {
            const char *next = m_p;
            m_p += 2;
            const char32_t low = hex4(next);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                lone = false;
            } else {
                m_p = next;   // not a pair: the next escape is read on its own
            }
        }
        appendUtf8(out, cp);
        return lone;
    }

    // Four hex digits at m_p, for the escape starting at `at`.
    char32_t hex4(const char *at)
    {
        char32_t cp = 0;
        for (int i = 0; i < 4; ++i) {
            const int d = m_p == m_end ? -1 : hexDigit(*m_p);
            if (d < 0)
                stop(at, "无效的转义序列");
            cp = cp * 16 + char32_t(d);
            ++m_p;
        }
        return cp;
    }

    // After a value inside a container: true at the next element, false at `close`.
    bool nextElement(char close, const char *missing, const char *expected)
    {
        skipSpace();
        if (m_p == m_end)
            stop(m_p, missing);
        if (*m_p == close) {
            ++m_p;
            return false;
        }
        if (*m_p != ',')
            stop(m_p, startsValue(*m_p) ? "缺少逗号" : expected);
        ++m_p;
        skipSpace();
        return true;
    }

    void enter(int depth)
    {
        if (depth > kMaxJsonDepth)
            stop(m_p, "嵌套层数过多");
        ++m_p;
        skipSpace();
    }

    std::uint32_t array(int depth)
    {
        const std::uint32_t node = addNode(Kind::Array);
        enter(depth);
        const size_t mark = m_elementStack.size();
        if (m_p != m_end && *m_p == ']') {
            ++m_p;
        } else {
            do {
                if (m_p != m_end && *m_p == ']')
                    stop(m_p, "逗号后缺少值");
                m_elementStack.push_back(value(depth));
            } while (nextElement(']', "数组缺少结尾的 ]", "应为逗号或 ]"));
        }
        auto &elements = m_tree.m_elements;
        m_tree.m_payloads[node].span = {std::uint32_t(elements.size()), std::uint32_t(m_elementStack.size() - mark)};
        elements.insert(elements.end(), m_elementStack.begin() + std::ptrdiff_t(mark), m_elementStack.end());
        m_elementStack.resize(mark);
        return node;
    }

    std::uint32_t object(int depth)
    {
        const std::uint32_t node = addNode(Kind::Object);
        enter(depth);
        const size_t mark = m_memberStack.size();
        if (m_p != m_end && *m_p == '}') {
            ++m_p;
        } else {
            do {
                m_memberStack.push_back(member(depth));
            } while (nextElement('}', "对象缺少结尾的 }", "应为逗号或 }"));
        }
        finishObject(node, mark);
        return node;
    }

    JsonTree::StoredMember member(int depth)
    {
        if (m_p == m_end)
            stop(m_p, "对象缺少结尾的 }");
        if (*m_p != '"')
            stop(m_p, *m_p == '}' ? "逗号后缺少键名" : "应为带引号的键名");
        const auto [offset, size, flags] = string();
        skipSpace();
        if (m_p == m_end || *m_p != ':')
            stop(m_p, "缺少冒号");
        ++m_p;
        skipSpace();
        return {offset, size, value(depth), flags};
    }

    // Moves the object's members into the tree sorted by key, keeping the last of repeated keys.
    void finishObject(std::uint32_t node, size_t mark)
    {
        const auto first = m_memberStack.begin() + std::ptrdiff_t(mark);
        const auto key = [this](const JsonTree::StoredMember &m) { return m_tree.bytes(m.keyOffset, m.keySize, m.keyFlags); };
        const auto before = [&](const JsonTree::StoredMember &a, const JsonTree::StoredMember &b) { return key(a) < key(b); };
        // What this program writes is already in order.
        const auto outOfOrder = [&](const auto &a, const auto &b) { return !before(a, b); };
        if (std::adjacent_find(first, m_memberStack.end(), outOfOrder) != m_memberStack.end())
            std::stable_sort(first, m_memberStack.end(), before);
        auto &members = m_tree.m_members;
        const auto firstMember = std::uint32_t(members.size());
        for (auto it = first; it != m_memberStack.end(); ++it)
            if (it + 1 == m_memberStack.end() || key(*it) != key(*(it + 1)))
                members.push_back(*it);
        m_tree.m_payloads[node].span = {firstMember, std::uint32_t(members.size()) - firstMember};
        m_memberStack.resize(mark);
    }

    JsonTree &m_tree;
    const char *m_begin;
    const char *m_p;
    const char *m_end;
    // Children of the containers being read, moved into the tree as each container closes.
    std::vector<std::uint32_t> m_elementStack;
    std::vector<JsonTree::StoredMember> m_memberStack;
};

JsonTree::JsonTree(const QByteArray &utf8) : m_source(utf8)
{
    try {
        JsonParser(*this).run();
    } catch (const JsonParser::Stop &stop) {
        m_error = {stop.offset, QString::fromUtf8(stop.reason)};
        m_tags.clear();
        m_payloads.clear();
        m_elements.clear();
        m_members.clear();
        m_unescaped.clear();
    }
}

} // namespace mhbk::wb
