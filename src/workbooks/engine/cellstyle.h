#pragma once

#include <QString>
#include <QtGlobal>

namespace mhbk::wb {

// Colours are 0xRRGGBB (no alpha); the engine stays free of QtGui.
using Rgb = quint32;

enum class HAlign { General, Left, Center, Right, Justify, CenterAcross };
enum class VAlign { Top, Center, Bottom };

// The line styles both Excel file formats know by these names.
enum class LineStyle { None, Thin, Medium, Thick, Dashed, Dotted, Double, Hair };

struct Border
{
    LineStyle style = LineStyle::None;
    Rgb colour = 0x000000;
    bool operator==(const Border &) const = default;
};

struct Font
{
    QString name = QStringLiteral("宋体");
    double sizePt = 11;   // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    Rgb colour = 0x000000;
    bool operator==(const Font &) const = default;
};

// The complete look of a cell. Cells refer to styles by index into Workbook's style table,
// so both writers can map one table entry to one XF / format.
struct CellStyle
{
    Font font;
    bool filled = false;   // a solid fill of `fill`; no fill when false
    Rgb fill = 0xFFFFFF;
    Border left, right, top, bottom;
    HAlign hAlign = HAlign::General;
    VAlign vAlign = VAlign::Bottom;
    bool wrap = false;
    // Excel number format code: "General", "0", "0.00", "#,##0.00", "0%", "0.00%", "@", ...
    QString numberFormat = QStringLiteral("General");
    bool locked = true;        // effective only while the sheet is protected
    bool operator==(const CellStyle &) const = default;
};

} // namespace mhbk::wb
