#include "workbooks/export/xlsxstylesxml.h"

#include "workbooks/export/xlsxxml.h"

#include <algorithm>

namespace mhbk::xlsout {
namespace {

constexpr int kFirstCustomFormat = 164; // the ids below are the formats' built-in ones

// The distinct values of one style property, in order of first use; index = position + `base`.
template<typename T>
class UniqueList {
public:
    explicit UniqueList(int base) : base_(base) {}
    int indexOf(const T &value)
    {
        const auto it = std::find(values_.begin(), values_.end(), value);
        if (it != values_.end())
            return base_ + int(it - values_.begin());
        values_.push_back(value);
        return base_ + int(values_.size()) - 1;
    }
    const std::vector<T> &values() const { return values_; }

private:
    int base_;
    std::vector<T> values_;
};

struct Font {
    QString name;
    double size = 11;
    bool bold = false, italic = false, underline = false;
    std::optional<Rgb> color;
    bool operator==(const Font &) const = default;
};

struct Borders {
    Border left, right, top, bottom;
    bool operator==(const Borders &) const = default;
};

struct Tables {
    UniqueList<QString> formats{kFirstCustomFormat};
    UniqueList<Font> fonts{1};    // 0 is the default font
    UniqueList<Rgb> fills{2};     // 0 none and 1 gray125 are required first
    UniqueList<Borders> borders{1};
};

void argb(XmlBuffer &x, Rgb rgb)
{
    static const char digits[] = "0123456789ABCDEF";
    char text[9] = {'F', 'F'};
    for (int i = 0; i < 6; ++i)
        text[2 + i] = digits[(rgb >> (20 - 4 * i)) & 15];
    text[8] = '\0';
    x.raw(" rgb=\"").raw(text).raw("\"");
}

const char *lineName(Line line)
{
    switch (line) {
    case Line::Thin: return "thin";
    case Line::Medium: return "medium";
    case Line::Dashed: return "dashed";
    case Line::Dotted: return "dotted";
    case Line::Thick: return "thick";
    case Line::Double: return "double";
    case Line::Hair: return "hair";
    case Line::None: break;
    }
    return nullptr;
}

const char *horizontalName(HAlign a)
{
    switch (a) {
    case HAlign::Left: return "left";
    case HAlign::Center: return "center";
    case HAlign::Right: return "right";
    case HAlign::Fill: return "fill";
    case HAlign::Justify: return "justify";
    case HAlign::CenterAcross: return "centerContinuous";
    case HAlign::General: break;
    }
    return nullptr;
}

const char *verticalName(VAlign a)
{
    switch (a) {
    case VAlign::Top: return "top";
    case VAlign::Center: return "center";
    case VAlign::Justify: return "justify";
    case VAlign::Bottom: break; // the default
    }
    return nullptr;
}

void writeFormats(XmlBuffer &x, const std::vector<QString> &formats)
{
    if (formats.empty())
        return;
    x.raw("<numFmts").attr("count", int(formats.size())).raw(">");
    for (std::size_t i = 0; i < formats.size(); ++i)
        x.raw("<numFmt").attr("numFmtId", kFirstCustomFormat + int(i)).attr("formatCode", formats[i]).raw("/>");
    x.raw("</numFmts>");
}

void writeFonts(XmlBuffer &x, const std::vector<Font> &fonts)
{
    x.raw("<fonts").attr("count", int(fonts.size()) + 1).raw(">");
    x.raw("<font><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font>");
    for (const Font &f : fonts) {
        x.raw("<font>");
        if (f.bold)
            x.raw("<b/>");
        if (f.italic)
            x.raw("<i/>");
        if (f.underline)
            x.raw("<u/>");
        x.raw("<sz").attr("val", f.size).raw("/>");
        if (f.color) {
            argb(x.raw("<color"), *f.color);
            x.raw("/>");
        }
        x.raw("<name").attr("val", f.name).raw("/><family val=\"2\"/></font>");
    }
    x.raw("</fonts>");
}

void writeFills(XmlBuffer &x, const std::vector<Rgb> &fills)
{
    x.raw("<fills").attr("count", int(fills.size()) + 2).raw(">");
    x.raw("<fill><patternFill patternType=\"none\"/></fill><fill><patternFill patternType=\"gray125\"/></fill>");
    for (Rgb rgb : fills) {
        argb(x.raw("<fill><patternFill patternType=\"solid\"><fgColor"), rgb);
        x.raw("/><bgColor indexed=\"64\"/></patternFill></fill>");
    }
    x.raw("</fills>");
}

void writeSide(XmlBuffer &x, const char *side, const Border &b)
{
    x.raw("<").raw(side);
    if (const char *name = lineName(b.line)) {
        x.raw(" style=\"").raw(name).raw("\"><color");
        if (b.color)
            argb(x, *b.color);
        else
            x.raw(" auto=\"1\"");
        x.raw("/></").raw(side).raw(">");
    } else {
        x.raw("/>");
    }
}

void writeBorders(XmlBuffer &x, const std::vector<Borders> &borders)
{
    x.raw("<borders").attr("count", int(borders.size()) + 1).raw(">");
    x.raw("<border><left/><right/><top/><bottom/><diagonal/></border>");
    for (const Borders &b : borders) {
        x.raw("<border>");
        writeSide(x, "left", b.left);
        writeSide(x, "right", b.right);
        writeSide(x, "top", b.top);
        writeSide(x, "bottom", b.bottom);
        x.raw("<diagonal/></border>");
    }
    x.raw("</borders>");
}

void writeCellFormat(XmlBuffer &x, const Style &s, Tables &t)
{
    const bool general = s.numberFormat.isEmpty() || s.numberFormat == QLatin1String("General");
    const int format = general ? 0 : t.formats.indexOf(s.numberFormat);
    const int font = t.fonts.indexOf(Font{s.fontName, s.fontSize, s.bold, s.italic, s.underline, s.fontColor});
    const int fill = s.fill ? t.fills.indexOf(*s.fill) : 0;
    const bool bordered = Borders{s.left, s.right, s.top, s.bottom} != Borders{};
    const int border = bordered ? t.borders.indexOf(Borders{s.left, s.right, s.top, s.bottom}) : 0;
    x.raw("<xf").attr("numFmtId", format).attr("fontId", font).attr("fillId", fill).attr("borderId", border);
    x.raw(" xfId=\"0\"");
    if (format != 0)
        x.raw(" applyNumberFormat=\"1\"");
    x.raw(" applyFont=\"1\"");
    if (fill != 0)
        x.raw(" applyFill=\"1\"");
    if (border != 0)
        x.raw(" applyBorder=\"1\"");
    x.raw(" applyAlignment=\"1\"");
    if (!s.locked)
        x.raw(" applyProtection=\"1\"");
    const char *horizontal = horizontalName(s.halign);
    const char *vertical = verticalName(s.valign);
    if (!horizontal && !vertical && !s.wrap && s.locked) {
        x.raw("/>");
        return;
    }
    x.raw(">");
    if (horizontal || vertical || s.wrap) {
        x.raw("<alignment");
        if (horizontal)
            x.raw(" horizontal=\"").raw(horizontal).raw("\"");
        if (vertical)
            x.raw(" vertical=\"").raw(vertical).raw("\"");
        if (s.wrap)
            x.raw(" wrapText=\"1\"");
        x.raw("/>");
    }
    if (!s.locked)
        x.raw("<protection locked=\"0\"/>");
    x.raw("</xf>");
}

} // namespace

QByteArray stylesXml(const std::vector<Style> &styles)
{
    // The cell formats come first in a buffer of their own: they decide which fonts, fills,
    // borders and number formats the tables before them hold.
    Tables tables;
    XmlBuffer cellFormats;
    cellFormats.raw("<cellXfs").attr("count", int(styles.size()) + 1).raw(">");
    cellFormats.raw("<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>");
    for (const Style &s : styles)
        writeCellFormat(cellFormats, s, tables);
    cellFormats.raw("</cellXfs>");

    XmlBuffer x;
    x.raw("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
          "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">");
    writeFormats(x, tables.formats.values());
    writeFonts(x, tables.fonts.values());
    writeFills(x, tables.fills.values());
    writeBorders(x, tables.borders.values());
    x.raw("<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>");
    x.raw(cellFormats.bytes());
    x.raw("<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
          "<dxfs count=\"0\"/><tableStyles count=\"0\"/></styleSheet>");
    return x.bytes();
}

} // namespace mhbk::xlsout
