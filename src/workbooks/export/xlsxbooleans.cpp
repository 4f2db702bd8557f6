#include "workbooks/export/xlsxbooleans.h"

#include "workbooks/export/bytewriter.h"

#include <QFile>
#include <zlib.h>

#include <cstring>

namespace mhbk::xlsout {
namespace {

constexpr std::uint32_t kLocalHeader = 0x04034b50, kCentralHeader = 0x02014b50, kEndOfDirectory = 0x06054b50;

unsigned u16At(const QByteArray &b, qsizetype at)
{
    return unsigned(quint8(b[at])) | unsigned(quint8(b[at + 1])) << 8;
}

std::uint32_t u32At(const QByteArray &b, qsizetype at)
{
    return std::uint32_t(u16At(b, at)) | std::uint32_t(u16At(b, at + 2)) << 16;
}

struct Entry {
    QByteArray name;
    unsigned method = 0;
    std::uint32_t crc = 0;
    QByteArray data; // as stored (compressed when method is 8)
    std::uint32_t size = 0;
};

std::optional<QByteArray> inflateRaw(const QByteArray &data, std::uint32_t size)
{
    QByteArray out(qsizetype(size), '\0');
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK)
        return std::nullopt;
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
    z.avail_in = uInt(data.size());
    z.next_out = reinterpret_cast<Bytef *>(out.data());
    z.avail_out = uInt(out.size());
    const int rc = inflate(&z, Z_FINISH);
    inflateEnd(&z);
    if (rc != Z_STREAM_END || z.total_out != size)
        return std::nullopt;
    return out;
}

QByteArray deflateRaw(const QByteArray &data)
{
    z_stream z{};
    deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(qsizetype(deflateBound(&z, uLong(data.size()))), '\0');
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
    z.avail_in = uInt(data.size());
    z.next_out = reinterpret_cast<Bytef *>(out.data());
    z.avail_out = uInt(out.size());
    deflate(&z, Z_FINISH);
    out.resize(qsizetype(z.total_out));
    deflateEnd(&z);
    return out;
}

// The entries of a package, from its central directory.
std::optional<std::vector<Entry>> readEntries(const QByteArray &zip)
{
    qsizetype end = zip.size() - 22;
    while (end >= 0 && u32At(zip, end) != kEndOfDirectory)
        --end;
    if (end < 0)
        return std::nullopt;
    const unsigned count = u16At(zip, end + 10);
    qsizetype at = qsizetype(u32At(zip, end + 16));
    std::vector<Entry> entries;
    for (unsigned i = 0; i < count; ++i) {
        if (at + 46 > zip.size() || u32At(zip, at) != kCentralHeader)
            return std::nullopt;
        Entry e;
        e.method = u16At(zip, at + 10);
        e.crc = u32At(zip, at + 16);
        const std::uint32_t stored = u32At(zip, at + 20);
        e.size = u32At(zip, at + 24);
        const unsigned nameLength = u16At(zip, at + 28);
        const qsizetype local = qsizetype(u32At(zip, at + 42));
        e.name = zip.mid(at + 46, nameLength);
        at += 46 + nameLength + u16At(zip, at + 30) + u16At(zip, at + 32);
        if (local + 30 > zip.size() || u32At(zip, local) != kLocalHeader)
            return std::nullopt;
        const qsizetype dataAt = local + 30 + u16At(zip, local + 26) + u16At(zip, local + 28);
        if (dataAt + qsizetype(stored) > zip.size())
            return std::nullopt;
        e.data = zip.mid(dataAt, stored);
        entries.push_back(std::move(e));
    }
    return entries;
}

QByteArray writeEntries(const std::vector<Entry> &entries)
{
    ByteWriter out, directory;
    for (const Entry &e : entries) {
        const auto offset = std::uint32_t(out.size());
        auto header = [&](ByteWriter &w, bool central) {
            w.u32(central ? kCentralHeader : kLocalHeader);
            if (central)
                w.u16(20); // made by
            w.u16(20);     // needed to extract
            w.u16(0);      // no data descriptor
            w.u16(e.method);
            w.u32(0);      // time and date
            w.u32(e.crc);
            w.u32(std::uint32_t(e.data.size()));
            w.u32(e.size);
            w.u16(unsigned(e.name.size()));
            w.u16(0);
            if (central) {
                w.u16(0);
                w.u16(0);
                w.u16(0);
                w.u32(0);
                w.u32(offset);
            }
            w.bytes(e.name);
        };
        header(out, false);
        out.bytes(e.data);
        header(directory, true);
    }
    const auto directoryAt = std::uint32_t(out.size());
    out.bytes(directory.data());
    out.u32(kEndOfDirectory);
    out.u16(0);
    out.u16(0);
    out.u16(unsigned(entries.size()));
    out.u16(unsigned(entries.size()));
    out.u32(std::uint32_t(directory.size()));
    out.u32(directoryAt);
    out.u16(0);
    return out.take();
}

// Adds t="b" to each named cell of a sheet's XML.
QByteArray markCells(QByteArray xml, const QStringList &cells)
{
    for (const QString &cell : cells) {
        const QByteArray open = "<c r=\"" + cell.toLatin1() + '"';
        qsizetype at = xml.indexOf(open);
        while (at >= 0) {
            const qsizetype after = at + open.size();
            if (after < xml.size() && (xml[after] == ' ' || xml[after] == '>')) {
                xml.insert(after, " t=\"b\"");
                break;
            }
            at = xml.indexOf(open, after);
        }
    }
    return xml;
}

} // namespace

std::optional<QByteArray> markBooleanResultsInPackage(const QByteArray &package, const std::vector<QStringList> &booleanCells)
{
    auto entries = readEntries(package);
    if (!entries)
        return std::nullopt;
    for (Entry &e : *entries) {
        for (std::size_t sheet = 0; sheet < booleanCells.size(); ++sheet) {
            if (booleanCells[sheet].isEmpty() || e.name != "xl/worksheets/sheet" + QByteArray::number(qulonglong(sheet + 1)) + ".xml")
                continue;
            const auto xml = e.method == 8 ? inflateRaw(e.data, e.size)
                                           : (e.method == 0 ? std::optional<QByteArray>(e.data) : std::nullopt);
            if (!xml)
                return std::nullopt;
            const QByteArray marked = markCells(*xml, booleanCells[sheet]);
            e.method = 8;
            e.size = std::uint32_t(marked.size());
            e.crc = std::uint32_t(crc32(0, reinterpret_cast<const Bytef *>(marked.constData()), uInt(marked.size())));
            e.data = deflateRaw(marked);
        }
    }
    return writeEntries(*entries);
}

QString markBooleanResults(const QString &xlsxPath, const std::vector<QStringList> &booleanCells)
{
    QFile file(xlsxPath);
    if (!file.open(QIODevice::ReadWrite))
        return file.errorString();
    const auto marked = markBooleanResultsInPackage(file.readAll(), booleanCells);
    if (!marked)
        return QStringLiteral("无法读取刚写出的工作簿");
    file.resize(0);
    file.seek(0);
    if (file.write(*marked) != marked->size() || !file.flush())
        return file.errorString();
    return QString();
}

} // namespace mhbk::xlsout
