#include "workbooks/export/xlsxpackage.h"

#include "workbooks/export/bytewriter.h"

#include <libdeflate.h>

#include <memory>

namespace mhbk::xlsout {
namespace {

constexpr std::uint32_t kLocalHeader = 0x04034b50, kCentralHeader = 0x02014b50, kEndOfDirectory = 0x06054b50;
constexpr unsigned kStored = 0, kDeflated = 8;
constexpr unsigned kVersion = 20; // 2.0: deflate
constexpr unsigned kUtf8Names = 0x0800;

// Raw deflate (no zlib header), as zip entries hold it; empty when it fails. libdeflate at its
// fastest level packs a sheet about as tightly as zlib's fastest, in well under half the time.
QByteArray deflateFast(const QByteArray &content)
{
    constexpr int kFastest = 1;
    const std::unique_ptr<libdeflate_compressor, void (*)(libdeflate_compressor *)> compressor(
        libdeflate_alloc_compressor(kFastest), &libdeflate_free_compressor);
    if (!compressor)
        return {};
    const auto size = std::size_t(content.size());
    QByteArray out(qsizetype(libdeflate_deflate_compress_bound(compressor.get(), size)), Qt::Uninitialized);
    const std::size_t packed =
        libdeflate_deflate_compress(compressor.get(), content.constData(), size, out.data(), std::size_t(out.size()));
    out.resize(qsizetype(packed)); // 0 when it did not fit, which the caller takes as "store instead"
    return out;
}

void writeHeader(ByteWriter &w, const auto &e, bool central)
{
    w.u32(central ? kCentralHeader : kLocalHeader);
    if (central)
        w.u16(kVersion); // made by
    w.u16(kVersion);     // needed to extract
    w.u16(kUtf8Names);
    w.u16(e.method);
    w.u32(0x00210000); // 1980-01-01 00:00, the earliest date the format has
    w.u32(e.crc);
    w.u32(e.storedSize);
    w.u32(e.size);
    w.u16(unsigned(e.name.size()));
    w.u16(0); // no extra field
    if (central) {
        w.u16(0); // no comment
        w.u16(0); // disk
        w.u16(0); // internal attributes
        w.u32(0); // external attributes
        w.u32(e.offset);
    }
    w.bytes(e.name);
}

} // namespace

bool ZipPackage::add(const QByteArray &name, const QByteArray &content)
{
    constexpr qint64 kLimit = 0xFFFFFFFFLL; // offsets and sizes are 32-bit
    if (content.size() >= kLimit)
        return false;
    Entry e;
    e.name = name;
    e.size = std::uint32_t(content.size());
    e.crc = std::uint32_t(libdeflate_crc32(0, content.constData(), std::size_t(content.size())));
    e.offset = std::uint32_t(data_.size());
    QByteArray packed = content.isEmpty() ? QByteArray() : deflateFast(content);
    const bool deflated = !packed.isEmpty() && packed.size() < content.size();
    e.method = deflated ? kDeflated : kStored;
    e.storedSize = std::uint32_t(deflated ? packed.size() : content.size());
    if (data_.size() + 30 + name.size() + qint64(e.storedSize) >= kLimit)
        return false;
    ByteWriter header;
    writeHeader(header, e, false);
    data_.append(header.data());
    data_.append(deflated ? packed : content);
    entries_.push_back(std::move(e));
    return true;
}

QByteArray ZipPackage::finish()
{
    ByteWriter directory;
    for (const Entry &e : entries_)
        writeHeader(directory, e, true);
    const auto directoryAt = std::uint32_t(data_.size());
    ByteWriter end;
    end.u32(kEndOfDirectory);
    end.u16(0); // this disk
    end.u16(0); // the directory's disk
    end.u16(unsigned(entries_.size()));
    end.u16(unsigned(entries_.size()));
    end.u32(std::uint32_t(directory.size()));
    end.u32(directoryAt);
    end.u16(0); // no comment
    data_.append(directory.data());
    data_.append(end.data());
    entries_.clear();
    return std::move(data_);
}

} // namespace mhbk::xlsout
