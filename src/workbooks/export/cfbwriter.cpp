#include "workbooks/export/cfbwriter.h"

#include "workbooks/export/bytewriter.h"

#include <vector>

namespace mhbk::xlsout {
namespace {

constexpr int kSector = 512;
constexpr int kMinStream = 4096;      // streams below this size would belong to the mini stream
constexpr int kFatPerSector = kSector / 4;
constexpr int kHeaderDifat = 109;
constexpr std::uint32_t kFree = 0xFFFFFFFFu;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFEu;
constexpr std::uint32_t kFatSect = 0xFFFFFFFDu;
constexpr std::uint32_t kDifatSect = 0xFFFFFFFCu;
constexpr std::uint32_t kNoStream = 0xFFFFFFFFu;

int ceilDiv(qsizetype a, int b) { return int((a + b - 1) / b); }

struct Layout {
    int streamSectors = 0;
    int dirSector = 0;
    int fatSectors = 0;
    int difatSectors = 0;
    int firstFat() const { return dirSector + 1; }
    int firstDifat() const { return firstFat() + fatSectors; }
    int total() const { return firstDifat() + difatSectors; }
};

// The FAT has to describe its own sectors and those of the DIFAT, so the counts are found
// by iterating until they stop growing.
Layout planLayout(qsizetype streamSize)
{
    Layout l;
    l.streamSectors = ceilDiv(streamSize, kSector);
    l.dirSector = l.streamSectors;
    for (;;) {
        const int fat = ceilDiv(l.total(), kFatPerSector);
        const int difat = fat > kHeaderDifat ? ceilDiv(fat - kHeaderDifat, kFatPerSector - 1) : 0;
        if (fat == l.fatSectors && difat == l.difatSectors)
            return l;
        l.fatSectors = fat;
        l.difatSectors = difat;
    }
}

void directoryEntry(ByteWriter &w, const QString &name, int type, std::uint32_t child,
                    std::uint32_t start, std::uint32_t size)
{
    const qsizetype begin = w.size();
    w.utf16(name);
    w.zeros(int(64 - (w.size() - begin)));
    w.u16(name.isEmpty() ? 0 : unsigned(name.size() + 1) * 2);
    w.u8(type);
    w.u8(1);              // black in the red-black tree
    w.u32(kNoStream);     // left sibling
    w.u32(kNoStream);     // right sibling
    w.u32(child);
    w.zeros(16 + 4 + 8 + 8); // class id, state bits, creation and modification times
    w.u32(start);
    w.u32(size);
    w.u32(0);
}

void writeHeader(ByteWriter &w, const Layout &l)
{
    const unsigned char signature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    for (unsigned char b : signature)
        w.u8(b);
    w.zeros(16);
    w.u16(0x003E);        // minor version
    w.u16(0x0003);        // major version 3: 512-byte sectors
    w.u16(0xFFFE);        // little-endian
    w.u16(9);             // sector shift
    w.u16(6);             // mini sector shift
    w.zeros(6);
    w.u32(0);             // directory sectors (always 0 in version 3)
    w.u32(std::uint32_t(l.fatSectors));
    w.u32(std::uint32_t(l.dirSector));
    w.u32(0);             // transaction signature
    w.u32(kMinStream);
    w.u32(kEndOfChain);   // no mini FAT
    w.u32(0);
    w.u32(l.difatSectors ? std::uint32_t(l.firstDifat()) : kEndOfChain);
    w.u32(std::uint32_t(l.difatSectors));
    for (int i = 0; i < kHeaderDifat; ++i)
        w.u32(i < l.fatSectors ? std::uint32_t(l.firstFat() + i) : kFree);
}

std::vector<std::uint32_t> buildFat(const Layout &l)
{
    std::vector<std::uint32_t> fat(std::size_t(l.fatSectors) * kFatPerSector, kFree);
    for (int i = 0; i < l.streamSectors; ++i)
        fat[std::size_t(i)] = i + 1 < l.streamSectors ? std::uint32_t(i + 1) : kEndOfChain;
    fat[std::size_t(l.dirSector)] = kEndOfChain;
    for (int i = 0; i < l.fatSectors; ++i)
        fat[std::size_t(l.firstFat() + i)] = kFatSect;
    for (int i = 0; i < l.difatSectors; ++i)
        fat[std::size_t(l.firstDifat() + i)] = kDifatSect;
    return fat;
}

void writeDifatSectors(ByteWriter &w, const Layout &l)
{
    int next = kHeaderDifat;
    for (int s = 0; s < l.difatSectors; ++s) {
        for (int i = 0; i < kFatPerSector - 1; ++i, ++next)
            w.u32(next < l.fatSectors ? std::uint32_t(l.firstFat() + next) : kFree);
        w.u32(s + 1 < l.difatSectors ? std::uint32_t(l.firstDifat() + s + 1) : kEndOfChain);
    }
}

} // namespace

// The header goes in front of the stream in its own buffer (the stream was built with
// room for it), so the stream is written once and never copied.
std::string compoundFileWithWorkbook(std::string stream)
{
    if (stream.size() < std::size_t(kMinStream))
        stream.append(kMinStream - stream.size(), '\0');
    const qsizetype streamSize = qsizetype(stream.size());
    const Layout layout = planLayout(streamSize);

    ByteWriter header;
    writeHeader(header, layout);
    ByteWriter tail;
    tail.zeros(int(layout.streamSectors * qsizetype(kSector) - streamSize));
    directoryEntry(tail, QStringLiteral("Root Entry"), 5, 1, kEndOfChain, 0);
    directoryEntry(tail, QStringLiteral("Workbook"), 2, kNoStream, 0, std::uint32_t(streamSize));
    directoryEntry(tail, QString(), 0, kNoStream, 0, 0);
    directoryEntry(tail, QString(), 0, kNoStream, 0, 0);
    for (std::uint32_t entry : buildFat(layout))
        tail.u32(entry);
    writeDifatSectors(tail, layout);

    const std::string front = header.takeBytes(), back = tail.takeBytes();
    stream.reserve(front.size() + stream.size() + back.size());
    stream.insert(0, front);
    stream.append(back);
    return stream;
}

QByteArray compoundFileWithWorkbook(const QByteArray &workbookStream)
{
    const std::string file = compoundFileWithWorkbook(workbookStream.toStdString());
    return QByteArray(file.data(), qsizetype(file.size()));
}

} // namespace mhbk::xlsout
