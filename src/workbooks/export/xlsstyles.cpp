#include "workbooks/export/xlsstyles.h"

#include <QHash>
#include <cmath>
#include <limits>

namespace mhbk::xlsout {
namespace {

constexpr std::array<Rgb, 56> kDefaultPalette = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
    0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
    0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,
    0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
    0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,
    0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333};

constexpr unsigned kFirstCustomFormat = 164;
constexpr unsigned kStyleXfCount = 15; // XF 0..14 are style records, cell XFs follow

int distance(Rgb a, Rgb b)
{
    auto d = [&](int shift) { int x = int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF); return x * x; };
    return d(16) + d(8) + d(0);
}

unsigned builtinFormat(const QString &code)
{
    static const QHash<QString, unsigned> builtins = {
        {QStringLiteral("General"), 0}, {QStringLiteral("0"), 1}, {QStringLiteral("0.00"), 2},
        {QStringLiteral("#,##0"), 3}, {QStringLiteral("#,##0.00"), 4}, {QStringLiteral("0%"), 9},
        {QStringLiteral("0.00%"), 10}, {QStringLiteral("0.00E+00"), 11}, {QStringLiteral("@"), 49}};
    return builtins.value(code.isEmpty() ? QStringLiteral("General") : code, std::numeric_limits<unsigned>::max());
}

unsigned hAlignCode(HAlign a) { return unsigned(a); } // General..CenterAcross are 0..6 in the file
unsigned vAlignCode(VAlign a) { return unsigned(a); } // Top..Justify are 0..3

} // namespace

Palette::Palette() : colors_(kDefaultPalette) {}

unsigned Palette::indexFor(std::optional<Rgb> color, unsigned automatic)
{
    if (!color)
        return automatic;
    const Rgb c = *color & 0xFFFFFF;
    for (int i = 0; i < 56; ++i)
        if (colors_[std::size_t(i)] == c) {
            claimed_[std::size_t(i)] = true;
            return unsigned(i + 8);
        }
    while (nextFree_ >= 0 && claimed_[std::size_t(nextFree_)])
        --nextFree_;
    if (nextFree_ >= 0) {
        colors_[std::size_t(nextFree_)] = c;
        claimed_[std::size_t(nextFree_)] = true;
        return unsigned(nextFree_-- + 8);
    }
    int best = 0;
    for (int i = 1; i < 56; ++i)
        if (distance(colors_[std::size_t(i)], c) < distance(colors_[std::size_t(best)], c))
            best = i;
    return unsigned(best + 8);
}

void Palette::write(BiffStream &stream) const
{
    ByteWriter w;
    w.u16(56);
    for (Rgb c : colors_) {
        w.u8(c >> 16);
        w.u8(c >> 8);
        w.u8(c);
        w.u8(0);
    }
    stream.record(rec::Palette, w);
}

XlsStyleTable::XlsStyleTable(const std::vector<Style> &styles) : styles_(styles)
{
    if (styles_.empty())
        styles_.push_back(Style{});
    for (const Style &s : styles_) {
        styleFont_.push_back(fontIndex(s));
        styleFormat_.push_back(formatIndex(s.numberFormat));
        auto color = [&](const Border &b) { return b.line == Line::None ? 0u : palette_.indexFor(b.color, 64); };
        styleColors_.push_back({color(s.left), color(s.right), color(s.top), color(s.bottom),
                                s.fill ? palette_.indexFor(s.fill) : 64u});
    }
}

unsigned XlsStyleTable::xfIndex(int style) const
{
    const bool known = style >= 0 && std::size_t(style) < styles_.size();
    return kStyleXfCount + unsigned(known ? style : 0);
}

// Font index 4 does not exist in the file format: the fifth FONT record has index 5.
unsigned XlsStyleTable::fontIndex(const Style &s)
{
    const Font f{s.fontName, s.fontSize, s.bold, s.italic, s.underline, palette_.indexFor(s.fontColor, 0x7FFF)};
    for (std::size_t i = 0; i < fonts_.size(); ++i)
        if (fonts_[i] == f)
            return i == 0 ? 0 : unsigned(i) + 4;
    fonts_.push_back(f);
    return fonts_.size() == 1 ? 0 : unsigned(fonts_.size() - 1) + 4;
}

unsigned XlsStyleTable::formatIndex(const QString &code)
{
    const unsigned builtin = builtinFormat(code);
    if (builtin != std::numeric_limits<unsigned>::max())
        return builtin;
    for (const auto &[index, text] : formats_)
        if (text == code)
            return index;
    const unsigned index = kFirstCustomFormat + unsigned(formats_.size());
    formats_.emplace_back(index, code);
    return index;
}

void XlsStyleTable::write(BiffStream &stream) const
{
    writeFonts(stream);
    writeFormats(stream);
    writeXfs(stream);
    ByteWriter normal; // the built-in "Normal" style on XF 0
    normal.u16(0x8000);
    normal.u8(0);
    normal.u8(0xFF);
    stream.record(rec::Style, normal);
    palette_.write(stream);
}

void XlsStyleTable::writeFonts(BiffStream &stream) const
{
    auto fontRecord = [&](const Font &f) {
        ByteWriter w;
        w.u16(unsigned(std::lround(f.size * 20)));
        // Bit 0 repeats the weight: readers of older versions take boldness from it.
        w.u16((f.italic ? 0x0002 : 0) | (f.bold ? 0x0001 : 0));
        w.u16(f.color);
        w.u16(f.bold ? 700 : 400);
        w.u16(0);                     // no super-/subscript
        w.u8(f.underline ? 1 : 0);
        w.u8(0);                      // family
        w.u8(134);                    // GB2312 character set
        w.u8(0);
        shortUnicodeString(w, f.name);
        stream.record(rec::Font, w);
    };
    // Records 0..3 are the default font; the workbook's other fonts follow from index 5.
    for (int i = 0; i < 4; ++i)
        fontRecord(fonts_.front());
    for (std::size_t i = 1; i < fonts_.size(); ++i)
        fontRecord(fonts_[i]);
}

void XlsStyleTable::writeFormats(BiffStream &stream) const
{
    for (const auto &[index, code] : formats_) {
        ByteWriter w;
        w.u16(index);
        unicodeString(w, code);
        stream.record(rec::Format, w);
    }
}

void XlsStyleTable::writeXfs(BiffStream &stream) const
{
    for (unsigned i = 0; i < kStyleXfCount; ++i) {
        ByteWriter w;
        w.u16(0);            // font
        w.u16(0);            // General
        w.u16(0xFFF5);       // style XF, locked, no parent
        w.u8(0x20);          // bottom aligned
        w.u8(0);
        w.u8(0);
        w.u8(i == 0 ? 0 : 0xF4);
        w.u32(0);
        w.u32(0);
        w.u16(0x20C0);       // automatic pattern colours 64 and 65
        stream.record(rec::Xf, w);
    }
    for (std::size_t i = 0; i < styles_.size(); ++i)
        stream.record(rec::Xf, cellXf(i));
}

QByteArray XlsStyleTable::cellXf(std::size_t style) const
{
    const Style &s = styles_[style];
    const auto &colors = styleColors_[style];
    ByteWriter w;
    w.u16(styleFont_[style]);
    w.u16(styleFormat_[style]);
    w.u16(s.locked ? 0x0001 : 0x0000); // parent is style XF 0
    w.u8(hAlignCode(s.halign) | (s.wrap ? 0x08 : 0) | (vAlignCode(s.valign) << 4));
    w.u8(0);                            // no rotation
    w.u8(0);                            // no indent
    w.u8(0xFC);                         // every attribute group is the cell's own
    auto line = [](const Border &b) { return std::uint32_t(b.line) & 0x0F; };
    w.u32(line(s.left) | line(s.right) << 4 | line(s.top) << 8 | line(s.bottom) << 12 |
          (colors[0] & 0x7F) << 16 | (colors[1] & 0x7F) << 23);
    w.u32((colors[2] & 0x7F) | (colors[3] & 0x7F) << 7 | (s.fill ? 1u : 0u) << 26);
    w.u16((colors[4] & 0x7F) | (65u << 7));
    return w.data();
}

} // namespace mhbk::xlsout
