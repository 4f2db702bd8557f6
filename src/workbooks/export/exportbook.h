#pragma once

// A description of a workbook as the file writers need it: values already computed, styles
// already resolved, cells in plain lists. It is not independent of the engine: a formula cell
// carries the engine's parse of its formula, borrowed from the live workbook (which must
// outlive the description), and the .xls writer builds the formula's tokens from that parse
// alone; it never parses formula text. describeWorkbook() (workbookexport.h) makes descriptions
// that way; a hand-made one gives every formula cell its parse too.

#include <QString>
#include <cstdint>
#include <optional>
#include <set>
#include <vector>

namespace mhbk::wb {
struct Node;
}

namespace mhbk::xlsout {

// 0xRRGGBB.
using Rgb = std::uint32_t;

// Line styles numbered as in the Excel file formats (0 none, 1 thin, 2 medium, 3 dashed,
// 4 dotted, 5 thick, 6 double, 7 hair, 8 medium dashed ... 13 slanted dash-dot).
enum class Line : std::uint8_t { None = 0, Thin = 1, Medium = 2, Dashed = 3, Dotted = 4, Thick = 5, Double = 6, Hair = 7 };

struct Border {
    Line line = Line::None;
    std::optional<Rgb> color; // automatic when empty

    bool operator==(const Border &) const = default;
};

enum class HAlign : std::uint8_t { General, Left, Center, Right, Fill, Justify, CenterAcross };
enum class VAlign : std::uint8_t { Top, Center, Bottom, Justify };

struct Style {
    QString fontName = QStringLiteral("宋体");
    double fontSize = 11.0; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::optional<Rgb> fontColor;
    std::optional<Rgb> fill; // solid fill
    Border left, right, top, bottom;
    HAlign halign = HAlign::General;
    VAlign valign = VAlign::Bottom;
    bool wrap = false;
    QString numberFormat = QStringLiteral("General");
    bool locked = true;

    bool operator==(const Style &) const = default;
};

// Excel's error values with their codes in the binary format.
enum class ErrorCode : std::uint8_t { Null = 0x00, Div0 = 0x07, Value = 0x0F, Ref = 0x17, Name = 0x1D, Num = 0x24, NA = 0x2A };

QString errorText(ErrorCode code);

struct Value {
    enum class Kind : std::uint8_t { Empty, Number, Text, Boolean, Error };
    // The one-byte fields together: a large sheet's description holds a value per cell.
    Kind kind = Kind::Empty;
    bool boolean = false;
    ErrorCode error = ErrorCode::Value;
    double number = 0.0;
    QString text;

    static Value ofNumber(double v) { Value x; x.kind = Kind::Number; x.number = v; return x; }
    static Value ofText(const QString &t) { Value x; x.kind = Kind::Text; x.text = t; return x; }
    static Value ofBoolean(bool b) { Value x; x.kind = Kind::Boolean; x.boolean = b; return x; }
    static Value ofError(ErrorCode e) { Value x; x.kind = Kind::Error; x.error = e; return x; }
};

struct Cell {
    int row = 0; // zero-based
    int col = 0;
    Value value;       // the value shown (for a formula, its computed result)
    QString formula;   // as typed, in Excel's A1 notation with the leading "="; empty for a constant
    int style = 0;     // index into Book::styles
    // With `formula`: the engine's parse of it, which a column of the same formula shares, read
    // parsedRowOffset rows down (wb::rangeAt()). The .xlsx writer writes the text, the .xls
    // writer the parse. A formula the engine could not parse (a typing mistake the sheet keeps
    // as typed) has none: the .xls file gets its value, as for formulas the format cannot hold.
    // The offset sits beside `style`, where the two fill eight bytes (large sheets hold tens of
    // thousands of cells).
    int parsedRowOffset = 0;
    const wb::Node *parsed = nullptr;
};

struct Range {
    int firstRow = 0, lastRow = 0, firstCol = 0, lastCol = 0;
};

struct Column {
    int col = 0;
    double width = 8.43; // in characters of the default font, as Excel counts them
    bool hidden = false;
};

struct Row {
    int row = 0;
    std::optional<double> height; // points; default height when empty
    bool hidden = false;
};

// Print settings as both file formats keep them.
struct PageSetup {
    enum class Paper : std::uint8_t { A4 = 9, A3 = 8, Letter = 1 }; // the formats' paper codes
    Paper paper = Paper::A4;
    bool landscape = false;
    bool fitToWidth = false;                 // one page wide, as many tall as it takes
    double marginLeft = 0.7, marginRight = 0.7, marginTop = 0.75, marginBottom = 0.75; // inches
    double footerMargin = 0.3;               // inches from the paper's edge
    bool centerHorizontally = false;
    bool printGridlines = false;
    int titleFirstRow = -1, titleLastRow = -1; // rows repeated on every page; none when < 0
    QString footer;                          // with the formats' codes: &P page, &N pages
    std::vector<int> rowBreaks;              // first rows of new pages (manual breaks)
};

struct Sheet {
    QString name = QStringLiteral("Sheet1");
    std::vector<Cell> cells; // any order; at most one per position
    std::vector<Range> merges;
    std::vector<Column> columns;
    std::vector<Row> rows;
    double defaultColumnWidth = 8.43; // characters
    double defaultRowHeight = 14.25;  // points
    bool protect = false;
    bool showGridlines = true;
    PageSetup page;
};

struct Book {
    std::vector<Style> styles{Style{}}; // index 0 is the default style
    std::vector<Sheet> sheets;
};

} // namespace mhbk::xlsout
