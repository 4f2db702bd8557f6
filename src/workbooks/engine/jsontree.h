#pragma once

// A read-only JSON document for the workbook loader. RapidJSON's reader checks the text and
// hands over its values; they are laid out in one vector of value records, one of array
// elements, one of object members and one buffer of string bytes, and JsonValue is a small
// view into them. Nothing is allocated per value and no QString is made unless asked for,
// which keeps loading a large workbook cheap.
//
// Strict JSON, with these rules the stored format relies on:
// - an object's members come out sorted by key in code point order, and of repeated keys the
//   last one wins (what a QJsonObject made from the same text holds);
// - a UTF-8 byte order mark at the start is skipped (editors on Windows write one);
// - numbers are correctly rounded, and those that overflow or underflow to zero are refused
//   rather than silently changed;
// - a \u escape of a lone surrogate is kept, as a QString can hold it;
// - nesting deeper than kMaxJsonDepth is refused, so no input can exhaust the stack;
// - a syntax error has a byte offset and a reason in Chinese.

#include <QByteArray>
#include <QJsonValue>
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mhbk::wb {

inline constexpr int kMaxJsonDepth = 256;

class JsonTree;

class JsonValue
{
public:
    enum class Kind : std::uint8_t { Undefined, Null, Bool, Number, String, Array, Object };

    // Undefined: what a lookup of a missing key or an index past the end gives.
    JsonValue() = default;

    Kind kind() const;
    bool isUndefined() const { return kind() == Kind::Undefined; }
    bool isNull() const { return kind() == Kind::Null; }
    bool isBool() const { return kind() == Kind::Bool; }
    bool isNumber() const { return kind() == Kind::Number; }
    bool isString() const { return kind() == Kind::String; }
    bool isArray() const { return kind() == Kind::Array; }
    bool isObject() const { return kind() == Kind::Object; }

    double toDouble(double fallback = 0) const;
    // The number when it is a whole number within int's range, else `fallback`.
    int toInt(int fallback = 0) const;
    bool toBool(bool fallback = false) const;
    // A null QString when this is not a string.
    QString toString() const;
    QString toString(const QString &fallback) const;
    // The string's UTF-8 bytes (empty when this is not a string); compare keys and names with it.
    std::string_view utf8() const;

    // Elements of an array or members of an object; 0 for anything else.
    qsizetype size() const;
    // The array's element `i`; undefined when out of range or not an array.
    JsonValue operator[](qsizetype i) const;
    // The object's member `key` (UTF-8); undefined when absent or not an object.
    JsonValue value(std::string_view key) const;
    bool contains(std::string_view key) const { return !value(key).isUndefined(); }

    class Member;
    class MemberIterator;
    struct Members
    {
        const JsonTree *tree;
        std::uint32_t first;
        std::uint32_t count;
        MemberIterator begin() const;
        MemberIterator end() const;
    };
    // The object's members in key order (none for anything else).
    Members members() const;

    // A Qt copy, for small parts handed to code that takes Qt's JSON types.
    QJsonValue toQJsonValue() const;

private:
    friend class JsonTree;
    JsonValue(const JsonTree *tree, std::uint32_t node) : m_tree(tree), m_node(node) {}

    const JsonTree *m_tree = nullptr;
    std::uint32_t m_node = 0;
};

class JsonValue::Member
{
public:
    std::string_view keyUtf8() const;
    QString key() const;
    JsonValue value() const;

private:
    friend class MemberIterator;
    Member(const JsonTree *tree, std::uint32_t index) : m_tree(tree), m_index(index) {}
    const JsonTree *m_tree;
    std::uint32_t m_index;
};

class JsonValue::MemberIterator
{
public:
    MemberIterator(const JsonTree *tree, std::uint32_t index) : m_tree(tree), m_index(index) {}
    Member operator*() const { return Member(m_tree, m_index); }
    MemberIterator &operator++() { ++m_index; return *this; }
    bool operator==(const MemberIterator &other) const { return m_index == other.m_index; }

private:
    const JsonTree *m_tree;
    std::uint32_t m_index;
};

struct JsonSyntaxError
{
    qsizetype offset = 0;   // byte offset into the text where reading stopped
    QString reason;         // in Chinese, e.g. "缺少逗号"
};

// Parses on construction; the views it hands out live as long as it does (so it neither copies
// nor moves).
class JsonTree
{
public:
    explicit JsonTree(const QByteArray &utf8);
    JsonTree(const JsonTree &) = delete;
    JsonTree &operator=(const JsonTree &) = delete;

    bool isValid() const { return m_error.reason.isEmpty(); }
    const JsonSyntaxError &error() const { return m_error; }
    // The document's value; undefined when the text did not parse.
    JsonValue root() const { return isValid() ? JsonValue(this, 0) : JsonValue(); }

private:
    friend class JsonValue;
    friend class JsonTreeBuilder;
    friend struct JsonReading;

    // kLoneSurrogate marks text holding a surrogate code point in the 3-byte form, which
    // QString::fromUtf8 would not keep.
    enum Flags : std::uint8_t { kLoneSurrogate = 1 };
    // A value is a tag and a payload, kept in two arrays so that each takes 10 bytes: a large
    // workbook has tens of thousands of them.
    struct Tag
    {
        JsonValue::Kind kind;
        std::uint8_t flags;
    };
    // String: into m_strings; array: into m_elements; object: into m_members.
    struct Span
    {
        std::uint32_t first;
        std::uint32_t size;
    };
    union Payload {
        double number;
        bool boolean;
        Span span;
    };
    struct StoredMember
    {
        std::uint32_t keyOffset;
        std::uint32_t keySize;
        std::uint32_t value;
        std::uint8_t keyFlags;
    };

    std::string_view bytes(std::uint32_t offset, std::uint32_t size) const { return {m_strings.data() + offset, size}; }
    QString text(std::uint32_t offset, std::uint32_t size, std::uint8_t flags) const;

    std::vector<Tag> m_tags;
    std::vector<Payload> m_payloads;
    std::vector<std::uint32_t> m_elements;
    std::vector<StoredMember> m_members;
    std::string m_strings;   // every string and key, unescaped
    JsonSyntaxError m_error;
};

// The calls made for every cell are inline.
inline JsonValue::Kind JsonValue::kind() const
{
    return m_tree ? m_tree->m_tags[m_node].kind : Kind::Undefined;
}

inline double JsonValue::toDouble(double fallback) const
{
    return isNumber() ? m_tree->m_payloads[m_node].number : fallback;
}

inline bool JsonValue::toBool(bool fallback) const
{
    return isBool() ? m_tree->m_payloads[m_node].boolean : fallback;
}

inline qsizetype JsonValue::size() const
{
    return isArray() || isObject() ? qsizetype(m_tree->m_payloads[m_node].span.size) : 0;
}

inline JsonValue JsonValue::operator[](qsizetype i) const
{
    if (!isArray() || i < 0 || i >= size())
        return {};
    return {m_tree, m_tree->m_elements[m_tree->m_payloads[m_node].span.first + size_t(i)]};
}

inline JsonValue::MemberIterator JsonValue::Members::begin() const { return {tree, first}; }
inline JsonValue::MemberIterator JsonValue::Members::end() const { return {tree, first + count}; }

} // namespace mhbk::wb
