#include "workbooks/engine/jsontree.h"

#include <QByteArrayView>
#include <rapidjson/error/error.h>
#include <rapidjson/reader.h>

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstring>

namespace mhbk::wb {

namespace {

// Offsets and sizes are kept in 32 bits; no stored workbook comes near this.
constexpr qsizetype kMaxJsonBytes = qsizetype(1) << 30;
constexpr size_t kPadding = 4;

// Strict JSON, read in place in the tree's copy of the text (strings are unescaped where they
// stand). Numbers come as their text, converted here so that they are correctly rounded and a
// range error is not mistaken for zero or infinity. UTF-8 is checked for the whole text at
// once first; only a text that fails is read again with the reader's own check, slower but
// saying where.
constexpr unsigned kReadFlags = rapidjson::kParseInsituFlag | rapidjson::kParseNumbersAsStringsFlag;
constexpr unsigned kCheckedReadFlags = kReadFlags | rapidjson::kParseValidateEncodingFlag;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Most numbers in a workbook are short decimals ("11.75", "-3"): at most 15 digits and no
// exponent. Their digits and the power of ten are both exact doubles, so one division rounds
// correctly; from_chars, for the rest, costs several times as much.
bool shortDecimal(const char *text, size_t length, double &out)
{
    static constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const char *p = text, *end = text + length;
    const bool negative = p != end && *p == '-';
    p += negative;
    std::uint64_t digits = 0;
    int count = 0, decimals = -1;
    for (; p != end; ++p) {
        if (*p == '.') {
            decimals = 0;
        } else if (isDigit(*p) && count < 15) {
            digits = digits * 10 + std::uint64_t(*p - '0');
            ++count;
            decimals += decimals >= 0;
        } else {
            return false;   // an exponent, or too many digits
        }
    }
    const double d = double(digits) / kPowers[std::max(decimals, 0)];
    out = negative ? -d : d;
    return true;
}

// Whether `c` can begin a value: then a missing separator, not a stray character, is the fault.
bool startsValue(char c)
{
    return isDigit(c) || c == '-' || c == '"' || c == '[' || c == '{' || c == 't' || c == 'f' || c == 'n';
}

int hex4(const char *p, const char *end)
{
    if (end - p < 4)
        return -1;
    int unit = 0;
    for (int i = 0; i < 4; ++i) {
        const char c = p[i];
        const int d = isDigit(c) ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : -1;
        if (d < 0)
            return -1;
        unit = unit * 16 + d;
    }
    return unit;
}

// The reader refuses a \u escape of a high surrogate that no low one follows, and lets a lone
// low one through in UTF-8's 3-byte form. A QString holds either, so both are kept: every lone
// high escape in `text` is turned into "\uDC00", and the code units of all lone escapes are
// returned in document order, for the strings to be mended as they are read. A backslash outside
// a string can put this scan out of step only after a point where the reader stops anyway.
std::vector<char16_t> takeLoneSurrogates(std::string &text)
{
    std::vector<char16_t> units;
    char *p = text.data();
    char *const end = p + text.size();
    while ((p = static_cast<char *>(std::memchr(p, '\\', size_t(end - p)))) != nullptr) {
        const int unit = end - p >= 2 && p[1] == 'u' ? hex4(p + 2, end) : -1;
        if (unit < 0) {
            p += std::min<std::ptrdiff_t>(2, end - p);
            continue;
        }
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            const int next = end - p >= 8 && p[6] == '\\' && p[7] == 'u' ? hex4(p + 8, end) : -1;
            if (next >= 0xDC00 && next <= 0xDFFF) {
                p += 12;
                continue;
            }
            std::memcpy(p + 2, "DC00", 4);
        }
        if (unit >= 0xD800 && unit <= 0xDFFF)
            units.push_back(char16_t(unit));
        p += 6;
    }
    return units;
}

// Whether the text holds a \u escape of a surrogate, paired or not (most hold no escape at all).
bool hasSurrogateEscape(std::string_view text)
{
    for (size_t i = text.find('\\'); i != std::string_view::npos && i + 2 < text.size(); i = text.find('\\', i + 2)) {
        const char c = text[i + 2];
        if (text[i + 1] == 'u' && (c == 'd' || c == 'D'))
            return true;
    }
    return false;
}

// The opening quote of the string still open at `offset` (the end of the text): the last quote
// before it that no backslash escapes.
qsizetype openingQuote(std::string_view text, qsizetype offset)
{
    for (qsizetype i = offset - 1; i >= 0; --i) {
        if (text[i] != '"')
            continue;
        qsizetype slashes = 0;
        while (i - slashes > 0 && text[i - slashes - 1] == '\\')
            ++slashes;
        if (slashes % 2 == 0)
            return i;
    }
    return offset;
}

// The character before `offset`, whitespace skipped; 0 at the start.
char previousToken(std::string_view text, qsizetype offset)
{
    while (offset > 0 && (text[offset - 1] == ' ' || text[offset - 1] == '\n' || text[offset - 1] == '\r' || text[offset - 1] == '\t'))
        --offset;
    return offset > 0 ? text[offset - 1] : '\0';
}

// The reason, in the user's words, for the reader's error `code` at `offset` in `text`; moves
// `offset` to where the user would look (the start of a misspelt word, the opening quote of a
// string that never ends).
const char *reasonFor(rapidjson::ParseErrorCode code, std::string_view text, qsizetype &offset)
{
    using namespace rapidjson;
    const bool atEnd = offset >= qsizetype(text.size());
    const char at = atEnd ? '\0' : text[offset];
    switch (code) {
    case kParseErrorDocumentEmpty: return atEnd ? "文件为空" : "无效的值";
    case kParseErrorDocumentRootNotSingular: return "文档结尾有多余内容";
    case kParseErrorValueInvalid: {
        if (offset > 0 && text[offset - 1] == '-')
            return "无效的数";
        qsizetype word = offset;   // the reader stops inside a misspelt true, false or null
        while (word > 0 && text[word - 1] >= 'a' && text[word - 1] <= 'z')
            --word;
        if (word < offset) {
            offset = word;
            return "无效的值";
        }
        if (atEnd)
            return "文件意外结束";
        return at == ']' && previousToken(text, offset) == ',' ? "逗号后缺少值" : "无效的值";
    }
    case kParseErrorObjectMissName:
        return atEnd ? "对象缺少结尾的 }" : at == '}' ? "逗号后缺少键名" : "应为带引号的键名";
    case kParseErrorObjectMissColon: return "缺少冒号";
    case kParseErrorObjectMissCommaOrCurlyBracket:
        return atEnd ? "对象缺少结尾的 }" : startsValue(at) ? "缺少逗号" : "应为逗号或 }";
    case kParseErrorArrayMissCommaOrSquareBracket:
        return atEnd ? "数组缺少结尾的 ]" : startsValue(at) ? "缺少逗号" : "应为逗号或 ]";
    case kParseErrorStringEscapeInvalid:
        // The reader files a raw control character under this code too.
        return static_cast<unsigned char>(at) < 0x20 ? "字符串里有未转义的控制字符" : "无效的转义序列";
    case kParseErrorStringUnicodeEscapeInvalidHex:
    case kParseErrorStringUnicodeSurrogateInvalid: return "无效的转义序列";
    case kParseErrorStringMissQuotationMark:
        // Before the end it stopped at a NUL character, which it takes for the end.
        if (!atEnd)
            return "字符串里有未转义的控制字符";
        offset = openingQuote(text, offset);
        return "字符串没有结束";
    case kParseErrorStringInvalidEncoding: return "无效的 UTF-8 编码";
    case kParseErrorNumberTooBig: return "数值超出范围";
    case kParseErrorNumberMissFraction:
    case kParseErrorNumberMissExponent: return "无效的数";
    default: return "无效的值";
    }
}

} // namespace

// Receives the reader's events and lays the values out in the tree; an object's members are
// sorted when it closes.
class JsonTreeBuilder
{
public:
    // `mendSurrogates`: the text has surrogate escapes, and `loneSurrogates` are the code units
    // of the lone ones (when the text was prepared by takeLoneSurrogates).
    JsonTreeBuilder(JsonTree &tree, bool mendSurrogates, std::vector<char16_t> loneSurrogates)
        : m_tree(tree), m_mendSurrogates(mendSurrogates), m_loneSurrogates(std::move(loneSurrogates))
    {
    }

    // Set when the handler stopped the reader: the reason, and whether the reader's offset is
    // one past the bracket that went too deep (rather than at the start of a number).
    const char *stopReason = nullptr;
    bool stoppedAtBracket = false;

    bool Null()
    {
        addNode(JsonValue::Kind::Null);
        return true;
    }
    bool Bool(bool b)
    {
        m_tree.m_payloads[addNode(JsonValue::Kind::Bool)].boolean = b;
        return true;
    }
    bool RawNumber(const char *text, rapidjson::SizeType length, bool)
    {
        double d = 0;
        // The reader checked the grammar: only the range is left.
        if (!shortDecimal(text, length, d) && std::from_chars(text, text + length, d).ec != std::errc())
            return stop("数值超出范围", false);
        m_tree.m_payloads[addNode(JsonValue::Kind::Number)].number = d;
        return true;
    }
    // Not called: numbers come as text (kParseNumbersAsStringsFlag).
    bool Int(int) { return false; }
    bool Uint(unsigned) { return false; }
    bool Int64(std::int64_t) { return false; }
    bool Uint64(std::uint64_t) { return false; }
    bool Double(double) { return false; }

    bool String(const char *text, rapidjson::SizeType length, bool)
    {
        const std::uint32_t node = addNode(JsonValue::Kind::String);
        const auto [offset, flags] = keep(text, length);
        m_tree.m_payloads[node].span = {offset, length};
        m_tree.m_tags[node].flags = flags;
        return true;
    }
    bool Key(const char *text, rapidjson::SizeType length, bool)
    {
        const auto [offset, flags] = keep(text, length);
        m_key = {offset, length, 0, flags};
        return true;
    }

    bool StartObject() { return open(JsonValue::Kind::Object); }
    bool StartArray() { return open(JsonValue::Kind::Array); }
    bool EndObject(rapidjson::SizeType)
    {
        finishObject();
        return true;
    }
    bool EndArray(rapidjson::SizeType)
    {
        const Open &a = m_open.back();
        auto &elements = m_tree.m_elements;
        m_tree.m_payloads[a.node].span = {std::uint32_t(elements.size()), std::uint32_t(m_elementStack.size() - a.mark)};
        elements.insert(elements.end(), m_elementStack.begin() + std::ptrdiff_t(a.mark), m_elementStack.end());
        m_elementStack.resize(a.mark);
        m_open.pop_back();
        return true;
    }

private:
    using Kind = JsonValue::Kind;

    struct Open
    {
        std::uint32_t node;
        size_t mark;   // where its children start on m_elementStack or m_memberStack
    };

    bool stop(const char *reason, bool atBracket)
    {
        stopReason = reason;
        stoppedAtBracket = atBracket;
        return false;
    }

    // A new value, made a child of the container that is open.
    std::uint32_t addNode(Kind kind)
    {
        const auto node = std::uint32_t(m_tree.m_tags.size());
        m_tree.m_tags.push_back({kind, 0});
        m_tree.m_payloads.push_back({});
        if (!m_open.empty()) {
            if (m_tree.m_tags[m_open.back().node].kind == Kind::Array) {
                m_elementStack.push_back(node);
            } else {
                m_key.value = node;
                m_memberStack.push_back(m_key);
            }
        }
        return node;
    }

    bool open(Kind kind)
    {
        if (m_open.size() >= size_t(kMaxJsonDepth))
            return stop("嵌套层数过多", true);
        const std::uint32_t node = addNode(kind);
        m_open.push_back({node, kind == Kind::Array ? m_elementStack.size() : m_memberStack.size()});
        return true;
    }

    // Where a string unescaped in place stands in the tree's text, and its flags.
    std::pair<std::uint32_t, std::uint8_t> keep(const char *text, rapidjson::SizeType length)
    {
        std::string &out = m_tree.m_strings;
        const auto offset = std::uint32_t(text - out.data());
        std::uint8_t flags = 0;
        if (!m_mendSurrogates)
            return {offset, flags};
        // Surrogates in the 3-byte form (ED A0..BF) come only from lone \u escapes: the reader
        // refuses them written out.
        const std::string_view string(text, length);
        for (size_t i = string.find('\xED'); i != std::string_view::npos && i + 2 < length; i = string.find('\xED', i + 3)) {
            if (static_cast<unsigned char>(string[i + 1]) < 0xA0)
                continue;
            flags = JsonTree::kLoneSurrogate;
            if (m_nextLone < m_loneSurrogates.size()) {
                const char16_t unit = m_loneSurrogates[m_nextLone++];
                out[offset + i + 1] = char(0x80 | ((unit >> 6) & 0x3F));
                out[offset + i + 2] = char(0x80 | (unit & 0x3F));
            }
        }
        return {offset, flags};
    }

    // Moves the object's members into the tree sorted by key, keeping the last of repeated keys.
    void finishObject()
    {
        const Open o = m_open.back();
        m_open.pop_back();
        const auto first = m_memberStack.begin() + std::ptrdiff_t(o.mark);
        const auto key = [this](const JsonTree::StoredMember &m) { return m_tree.bytes(m.keyOffset, m.keySize); };
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
        m_tree.m_payloads[o.node].span = {firstMember, std::uint32_t(members.size()) - firstMember};
        m_memberStack.resize(o.mark);
    }

    JsonTree &m_tree;
    bool m_mendSurrogates;
    std::vector<char16_t> m_loneSurrogates;
    size_t m_nextLone = 0;
    std::vector<Open> m_open;
    JsonTree::StoredMember m_key{};
    // Children of the containers being read, moved into the tree as each container closes.
    std::vector<std::uint32_t> m_elementStack;
    std::vector<JsonTree::StoredMember> m_memberStack;
};

// Runs the reader over a whole text and turns what it says into the tree's error.
struct JsonReading
{
    static void run(JsonTree &tree, const QByteArray &utf8)
    {
        if (utf8.size() >= kMaxJsonBytes) {
            tree.m_error = {0, QStringLiteral("文件过大")};
            return;
        }
        const std::string_view text(utf8.constData(), size_t(utf8.size()));
        const bool validUtf8 = QByteArrayView(utf8).isValidUtf8();
        const bool surrogates = hasSurrogateEscape(text);
        rapidjson::ParseResult result = read(tree, text, validUtf8, surrogates, {});
        // An unpaired high surrogate stops the reader, as a bad escape after one does (at the
        // surrogate); without such surrogates the second reading goes where the error really is.
        if (surrogates && (result.Code() == rapidjson::kParseErrorStringUnicodeSurrogateInvalid
                           || result.Code() == rapidjson::kParseErrorStringUnicodeEscapeInvalidHex)) {
            std::string prepared(text);
            std::vector<char16_t> lone = takeLoneSurrogates(prepared);
            if (!lone.empty())
                result = read(tree, prepared, validUtf8, true, std::move(lone));
        }
        if (result.IsError() || text.find('\0') != std::string_view::npos)
            fail(tree, text, result);
    }

private:
    static rapidjson::ParseResult read(JsonTree &tree, std::string_view text, bool validUtf8, bool surrogates,
                                       std::vector<char16_t> loneSurrogates)
    {
        clear(tree);
        // A byte order mark at the start is skipped (editors on Windows write one).
        const size_t start = text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
        // A stored workbook holds about one value in ten bytes, most of them array elements.
        // Room for one in eight is reserved; what is not used is never touched.
        const size_t expected = (text.size() - start) / 8 + 16;
        tree.m_tags.reserve(expected);
        tree.m_payloads.reserve(expected);
        tree.m_elements.reserve(expected);
        // NULs after the text: the reader checks a UTF-8 sequence by taking as many bytes as its
        // first one announces, past the end when the text ends inside one.
        tree.m_strings.reserve(text.size() + kPadding);
        tree.m_strings.append(text).append(kPadding, '\0');
        JsonTreeBuilder builder(tree, surrogates, std::move(loneSurrogates));
        rapidjson::InsituStringStream stream(tree.m_strings.data() + start);
        rapidjson::Reader reader;
        rapidjson::ParseResult result = validUtf8 ? reader.Parse<kReadFlags>(stream, builder)
                                                  : reader.Parse<kCheckedReadFlags>(stream, builder);
        if (result.Code() == rapidjson::kParseErrorTermination) {
            // The reader's offset is after the bracket that went too deep, or at a number's start.
            tree.m_error.reason = QString::fromUtf8(builder.stopReason);
            result.Set(result.Code(), result.Offset() - (builder.stoppedAtBracket ? 1 : 0));
        }
        result.Set(result.Code(), result.Offset() + start);
        return result;
    }

    // For a text the reader refused, or with a NUL character in it, which the reader takes for
    // the end of the text.
    static void fail(JsonTree &tree, std::string_view text, const rapidjson::ParseResult &result)
    {
        auto offset = qsizetype(result.Offset());
        if (result.Code() == rapidjson::kParseErrorTermination) {
            tree.m_error.offset = offset;
        } else if (result.IsError()) {
            const char *reason = reasonFor(result.Code(), text, offset);
            tree.m_error = {offset, QString::fromUtf8(reason)};
        } else {
            tree.m_error = {qsizetype(text.find('\0')), QStringLiteral("文档结尾有多余内容")};
        }
        clear(tree);
    }

    static void clear(JsonTree &tree)
    {
        tree.m_tags.clear();
        tree.m_payloads.clear();
        tree.m_elements.clear();
        tree.m_members.clear();
        tree.m_strings.clear();
    }
};

JsonTree::JsonTree(const QByteArray &utf8)
{
    JsonReading::run(*this, utf8);
}

} // namespace mhbk::wb
