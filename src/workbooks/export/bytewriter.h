#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstring>
#include <string>

namespace mhbk::xlsout {

// Appends little-endian integers and UTF-16 text, as both binary containers want them.
// The bytes grow in a std::string: a large sheet appends millions of small values, and
// QByteArray's append costs several times more per call.
class ByteWriter {
public:
    void u8(unsigned v) { bytes_.push_back(char(v & 0xFF)); }
    void u16(unsigned v) { little(v, 2); }
    void u32(std::uint32_t v) { little(v, 4); }
    void f64(double v)
    {
        std::uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        little(bits, 8);
    }
    void utf16(const QString &text)
    {
        for (QChar c : text) {
            bytes_.push_back(char(c.unicode() & 0xFF));
            bytes_.push_back(char(c.unicode() >> 8));
        }
    }
    void zeros(int count) { bytes_.append(std::size_t(count), '\0'); }
    void bytes(const QByteArray &b) { bytes_.append(b.constData(), std::size_t(b.size())); }
    void bytes(const ByteWriter &w) { bytes_.append(w.bytes_); }
    void bytes(const char *data, std::size_t size) { bytes_.append(data, size); }
    const char *constData() const { return bytes_.data(); }
    // Drops what was written after the first `size` bytes.
    void truncate(qsizetype size) { bytes_.resize(std::size_t(size)); }

    // Overwrites a 16- or 32-bit value written earlier (lengths and offsets known only later).
    void patch16(qsizetype at, unsigned v)
    {
        bytes_[std::size_t(at)] = char(v & 0xFF);
        bytes_[std::size_t(at) + 1] = char((v >> 8) & 0xFF);
    }
    void patch32(qsizetype at, std::uint32_t v)
    {
        patch16(at, v & 0xFFFF);
        patch16(at + 2, v >> 16);
    }

    qsizetype size() const { return qsizetype(bytes_.size()); }
    void reserve(qsizetype bytes) { bytes_.reserve(std::size_t(bytes)); }
    QByteArray data() const { return QByteArray(bytes_.data(), size()); }
    QByteArray take()
    {
        QByteArray out = data();
        bytes_.clear();
        return out;
    }
    // The bytes themselves, without a copy.
    std::string takeBytes() { return std::move(bytes_); }

private:
    void little(std::uint64_t v, int count)
    {
        char b[8];
        for (int i = 0; i < count; ++i)
            b[i] = char((v >> (8 * i)) & 0xFF);
        bytes_.append(b, std::size_t(count));
    }

    std::string bytes_;
};

} // namespace mhbk::xlsout
