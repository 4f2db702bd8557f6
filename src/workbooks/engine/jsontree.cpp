#include "workbooks/engine/jsontree.h"

#include <QJsonArray>
#include <QJsonObject>
#include <algorithm>
#include <climits>
#include <cmath>

namespace mhbk::wb {

QString JsonTree::text(std::uint32_t offset, std::uint32_t size, std::uint8_t flags) const
{
    const std::string_view utf8 = bytes(offset, size);
    // QString::fromUtf8 would drop a leading U+FEFF as a byte order mark, and a lone surrogate.
    if (!(flags & kLoneSurrogate) && !utf8.starts_with("\xEF\xBB\xBF"))
        return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    // The reader checked the bytes; only the 3-byte form of a surrogate is beyond strict UTF-8.
    QString out;
    out.reserve(qsizetype(utf8.size()));
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t cp = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + size_t(k)]) & 0x3F);
        if (cp >= 0x10000) {
            out += QChar::highSurrogate(cp);
            out += QChar::lowSurrogate(cp);
        } else {
            out += QChar(char16_t(cp));
        }
        i += size_t(length);
    }
    return out;
}

int JsonValue::toInt(int fallback) const
{
    if (!isNumber())
        return fallback;
    const double d = toDouble();
    return d >= INT_MIN && d <= INT_MAX && d == std::trunc(d) ? int(d) : fallback;
}

QString JsonValue::toString() const
{
    if (!isString())
        return QString();
    const JsonTree::Span &s = m_tree->m_payloads[m_node].span;
    return m_tree->text(s.first, s.size, m_tree->m_tags[m_node].flags);
}

QString JsonValue::toString(const QString &fallback) const
{
    return isString() ? toString() : fallback;
}

std::string_view JsonValue::utf8() const
{
    if (!isString())
        return {};
    const JsonTree::Span &s = m_tree->m_payloads[m_node].span;
    return m_tree->bytes(s.first, s.size);
}

JsonValue JsonValue::value(std::string_view key) const
{
    if (!isObject())
        return {};
    const JsonTree::Span &s = m_tree->m_payloads[m_node].span;
    const auto first = m_tree->m_members.begin() + std::ptrdiff_t(s.first);
    const auto last = first + std::ptrdiff_t(s.size);
    const auto it = std::lower_bound(first, last, key, [this](const JsonTree::StoredMember &m, std::string_view k) {
        return m_tree->bytes(m.keyOffset, m.keySize) < k;
    });
    if (it == last || m_tree->bytes(it->keyOffset, it->keySize) != key)
        return {};
    return {m_tree, it->value};
}

JsonValue::Members JsonValue::members() const
{
    if (!isObject())
        return {m_tree, 0, 0};
    const JsonTree::Span &s = m_tree->m_payloads[m_node].span;
    return {m_tree, s.first, s.size};
}

std::string_view JsonValue::Member::keyUtf8() const
{
    const JsonTree::StoredMember &m = m_tree->m_members[m_index];
    return m_tree->bytes(m.keyOffset, m.keySize);
}

QString JsonValue::Member::key() const
{
    const JsonTree::StoredMember &m = m_tree->m_members[m_index];
    return m_tree->text(m.keyOffset, m.keySize, m.keyFlags);
}

JsonValue JsonValue::Member::value() const
{
    return {m_tree, m_tree->m_members[m_index].value};
}

QJsonValue JsonValue::toQJsonValue() const
{
    switch (kind()) {
    case Kind::Undefined: return QJsonValue(QJsonValue::Undefined);
    case Kind::Null: return QJsonValue(QJsonValue::Null);
    case Kind::Bool: return toBool();
    case Kind::Number: return toDouble();
    case Kind::String: return toString();
    case Kind::Array: {
        QJsonArray a;
        for (qsizetype i = 0; i < size(); ++i)
            a.append((*this)[i].toQJsonValue());
        return a;
    }
    case Kind::Object: {
        QJsonObject o;
        for (const Member m : members())
            o.insert(m.key(), m.value().toQJsonValue());
        return o;
    }
    }
    return {};
}

} // namespace mhbk::wb
