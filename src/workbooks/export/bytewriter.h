#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstring>

namespace mhbk::xlsout {

// Appends little-endian integers and UTF-16 text, as both binary containers want them.
class ByteWriter {
public:
    void u8(unsigned v) { data_.append(char(v & 0xFF)); }
    void u16(unsigned v) { u8(v); u8(v >> 8); }
    void u32(std::uint32_t v) { u16(v & 0xFFFF); u16(v >> 16); }
    void f64(double v)
    {
        std::uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        u32(std::uint32_t(bits & 0xFFFFFFFFu));
        u32(std::uint32_t(bits >> 32));
    }
    void utf16(const QString &text)
    {
        for (QChar c : text)
            u16(c.unicode());
    }
    void zeros(int count) { data_.append(count, '\0'); }
    void bytes(const QByteArray &b) { data_.append(b); }

    // Overwrites a 16- or 32-bit value written earlier (lengths and offsets known only later).
    void patch16(qsizetype at, unsigned v)
    {
        data_[at] = char(v & 0xFF);
        data_[at + 1] = char((v >> 8) & 0xFF);
    }
    void patch32(qsizetype at, std::uint32_t v)
    {
        patch16(at, v & 0xFFFF);
        patch16(at + 2, v >> 16);
    }

    qsizetype size() const { return data_.size(); }
    const QByteArray &data() const { return data_; }
    QByteArray take() { return std::move(data_); }

private:
    QByteArray data_;
};

} // namespace mhbk::xlsout
