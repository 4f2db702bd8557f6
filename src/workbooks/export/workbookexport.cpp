#include "workbooks/export/workbookexport.h"

#include "workbooks/engine/printplan.h"
#include "workbooks/engine/workbook.h"
#include "workbooks/export/xlswriter.h"
#include "workbooks/export/xlsxexport.h"

#include <algorithm>

namespace mhbk::xlsout {
namespace {

// Black is what "automatic" shows as; leaving it automatic keeps the files closest to what
// Excel itself writes.
std::optional<Rgb> colour(wb::Rgb c) { return c == 0 ? std::nullopt : std::optional<Rgb>(c); }

Line line(wb::LineStyle s)
{
    switch (s) {
    case wb::LineStyle::None: return Line::None;
    case wb::LineStyle::Thin: return Line::Thin;
    case wb::LineStyle::Medium: return Line::Medium;
    case wb::LineStyle::Thick: return Line::Thick;
    case wb::LineStyle::Dashed: return Line::Dashed;
    case wb::LineStyle::Dotted: return Line::Dotted;
    case wb::LineStyle::Double: return Line::Double;
    case wb::LineStyle::Hair: return Line::Hair;
    }
    return Line::None;
}

Border border(const wb::Border &b) { return Border{line(b.style), colour(b.colour)}; }

HAlign halign(wb::HAlign a)
{
    switch (a) {
    case wb::HAlign::General: return HAlign::General;
    case wb::HAlign::Left: return HAlign::Left;
    case wb::HAlign::Center: return HAlign::Center;
    case wb::HAlign::Right: return HAlign::Right;
    case wb::HAlign::Justify: return HAlign::Justify;
    case wb::HAlign::CenterAcross: return HAlign::CenterAcross;
    }
    return HAlign::General;
}

VAlign valign(wb::VAlign a)
{
    switch (a) {
    case wb::VAlign::Top: return VAlign::Top;
    case wb::VAlign::Center: return VAlign::Center;
    case wb::VAlign::Bottom: return VAlign::Bottom;
    }
    return VAlign::Bottom;
}

Style style(const wb::CellStyle &s)
{
    Style x;
    x.fontName = s.font.name;
    x.fontSize = s.font.sizePt;
    x.bold = s.font.bold;
    x.italic = s.font.italic;
    x.underline = s.font.underline;
    x.fontColor = colour(s.font.colour);
    if (s.filled)
        x.fill = s.fill;
    x.left = border(s.left);
    x.right = border(s.right);
    x.top = border(s.top);
    x.bottom = border(s.bottom);
    x.halign = halign(s.hAlign);
    x.valign = valign(s.vAlign);
    x.wrap = s.wrap;
    x.numberFormat = s.numberFormat;
    x.locked = s.locked;
    return x;
}


Value value(const wb::Value &v)
{
    switch (v.kind()) {
    case wb::Value::Kind::Empty: return Value{};
    case wb::Value::Kind::Number: return Value::ofNumber(v.asNumber());
    case wb::Value::Kind::Text: return Value::ofText(v.asText());
    case wb::Value::Kind::Boolean: return Value::ofBoolean(v.asBoolean());
    case wb::Value::Kind::Error: return Value::ofError(excelErrorCode(v.asError()));
    }
    return Value{};
}

PageSetup::Paper paper(wb::Paper p)
{
    switch (p) {
    case wb::Paper::A3: return PageSetup::Paper::A3;
    case wb::Paper::Letter: return PageSetup::Paper::Letter;
    case wb::Paper::A4: break;
    }
    return PageSetup::Paper::A4;
}

// The page setup with a manual break wherever the program's own printout starts a page, so
// that other programs print the same pages.
PageSetup pageSetup(const wb::Sheet &s)
{
    const wb::PageSetup &in = s.pageSetup();
    PageSetup out;
    out.paper = paper(in.paper);
    out.landscape = in.landscape;
    out.fitToWidth = in.fitToWidth;
    out.marginLeft = in.marginLeft;
    out.marginRight = in.marginRight;
    out.marginTop = in.marginTop;
    out.marginBottom = in.marginBottom;
    out.footerMargin = std::min(0.3, in.marginBottom / 2);
    out.centerHorizontally = in.centerHorizontally;
    out.printGridlines = in.printGridlines;
    if (in.hasTitles()) {
        out.titleFirstRow = in.titleFirstRow;
        out.titleLastRow = in.titleLastRow;
    }
    out.footer = in.footer;
    out.rowBreaks = wb::pageBreakRows(wb::planPrint(s, wb::printableArea(in)));
    return out;
}

Sheet describeSheet(const wb::Sheet &s)
{
    Sheet out;
    out.name = s.name();
    out.defaultColumnWidth = s.defaultColumnWidth();
    out.defaultRowHeight = s.defaultRowHeight();
    out.protect = s.isProtected();
    out.showGridlines = s.showGridlines();
    out.page = pageSetup(s);
    out.cells.reserve(s.cellCountBound());
    s.forEachCell([&](const wb::Sheet::CellContent &cell) {
        Cell c{cell.row, cell.col, value(cell.value), QString(), cell.style};
        if (cell.isFormula) {
            c.formula = cell.formulaText;   // shared, not copied
            c.parsed = cell.formula;
            c.parsedRowOffset = cell.formulaRowOffset;
        }
        out.cells.push_back(std::move(c));
    });
    for (const wb::CellRange &m : s.merges())
        out.merges.push_back(Range{m.firstRow, m.lastRow, m.firstCol, m.lastCol});

    // Every column up to the last one used or laid out gets its width, so readers that
    // ignore the default width still show the sheet as it looks here.
    int columns = s.columnCount();
    for (const auto &[col, width] : s.columnWidths())
        columns = std::max(columns, col + 1);
    for (int col : s.hiddenColumns())
        columns = std::max(columns, col + 1);
    for (int col = 0; col < columns; ++col)
        out.columns.push_back(Column{col, s.columnWidth(col), s.isColumnHidden(col)});

    std::vector<int> rows;
    for (const auto &[row, height] : s.rowHeights())
        rows.push_back(row);
    for (int row : s.hiddenRows())
        rows.push_back(row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (int row : rows) {
        Row r{row, std::nullopt, s.isRowHidden(row)};
        if (s.hasRowHeight(row))
            r.height = s.rowHeight(row);
        out.rows.push_back(r);
    }
    return out;
}

} // namespace

ErrorCode excelErrorCode(wb::ErrorCode e)
{
    switch (e) {
    case wb::ErrorCode::Null: return ErrorCode::Null;
    case wb::ErrorCode::Div0: return ErrorCode::Div0;
    case wb::ErrorCode::Value: return ErrorCode::Value;
    case wb::ErrorCode::Ref: return ErrorCode::Ref;
    case wb::ErrorCode::Name: return ErrorCode::Name;
    case wb::ErrorCode::Num: return ErrorCode::Num;
    case wb::ErrorCode::NA: return ErrorCode::NA;
    }
    return ErrorCode::Value;
}

Book describeWorkbook(const wb::Workbook &book)
{
    Book out;
    out.styles.clear();
    for (int i = 0; i < book.styleCount(); ++i)
        out.styles.push_back(style(book.style(i)));
    if (out.styles.empty())
        out.styles.push_back(Style{});
    for (int i = 0; i < book.sheetCount(); ++i)
        out.sheets.push_back(describeSheet(book.sheet(i)));
    return out;
}

void exportWorkbook(const wb::Workbook &book, const QString &path, ExcelFormat format)
{
    const Book description = describeWorkbook(book);
    if (format == ExcelFormat::Xls)
        writeXlsFile(description, path);
    else
        writeXlsxFile(description, path);
}

} // namespace mhbk::xlsout
