#pragma once

#include "workbooks/export/biffstream.h"
#include "workbooks/export/exportbook.h"

#include <array>
#include <map>
#include <vector>

namespace mhbk::xlsout {

// The 56 colours an Excel 97-2003 file may use; entries are replaced by the workbook's own
// colours, and the nearest entry stands in once all are taken.
class Palette {
public:
    Palette();
    // The palette index (8..63) for the colour, or the automatic colour 64 when there is none.
    unsigned indexFor(std::optional<Rgb> color, unsigned automatic = 64);
    void write(BiffStream &stream) const;

private:
    std::array<Rgb, 56> colors_;
    std::array<bool, 56> claimed_{};
    int nextFree_ = 55; // replaced from the end: the first entries are the common ones
};

// Fonts, number formats and XF records for the workbook's styles. A cell of style i uses XF
// xfIndex(i).
class XlsStyleTable {
public:
    explicit XlsStyleTable(const std::vector<Style> &styles);
    void write(BiffStream &stream) const;
    unsigned xfIndex(int style) const;

private:
    struct Font {
        QString name;
        double size;
        bool bold, italic, underline;
        unsigned color;
        bool operator==(const Font &) const = default;
    };
    unsigned fontIndex(const Style &s);
    unsigned formatIndex(const QString &code);
    void writeFonts(BiffStream &stream) const;
    void writeFormats(BiffStream &stream) const;
    void writeXfs(BiffStream &stream) const;
    QByteArray cellXf(std::size_t style) const;

    std::vector<Style> styles_;
    Palette palette_;
    std::vector<Font> fonts_;
    std::vector<unsigned> styleFont_, styleFormat_;
    std::vector<std::array<unsigned, 5>> styleColors_; // left, right, top, bottom, fill
    std::vector<std::pair<unsigned, QString>> formats_; // custom ones, from 164
};

} // namespace mhbk::xlsout
