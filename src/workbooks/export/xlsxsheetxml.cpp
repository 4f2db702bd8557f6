#include "workbooks/export/xlsxsheetxml.h"

#include "workbooks/engine/workbook.h"
#include "workbooks/export/xlsxstylesxml.h"
#include "workbooks/export/xlsxxml.h"

#include <algorithm>
#include <cmath>

namespace mhbk::xlsout {
namespace {

constexpr int kMaxRows = 1048576, kMaxColumns = 16384;
constexpr qsizetype kMaxCellText = 32767;
constexpr qsizetype kMaxFooter = 255; // with its "&C"
constexpr std::size_t kMaxRowBreaks = 1023;
constexpr double kStandardRowHeight = 15.0; // what readers assume without a row height

// A cell to write: one of the sheet's, or (cell == nullptr) a blank inside a merged range.
struct Place {
    int row = 0, col = 0;
    const Cell *cell = nullptr;
};

// The sheet's cells in row-major order, with a blank wherever a merged range covers no cell.
std::vector<Place> placesInOrder(const Sheet &sheet)
{
    std::vector<Place> places;
    places.reserve(sheet.cells.size());
    for (const Cell &c : sheet.cells)
        places.push_back({c.row, c.col, &c});
    auto before = [](const Place &a, const Place &b) { return a.row != b.row ? a.row < b.row : a.col < b.col; };
    if (!std::is_sorted(places.begin(), places.end(), before)) // the engine gives them in order
        std::sort(places.begin(), places.end(), before);
    const std::size_t written = places.size();
    for (const Range &m : sheet.merges)
        for (int r = m.firstRow; r <= m.lastRow; ++r)
            for (int c = m.firstCol; c <= m.lastCol; ++c)
                if (!std::binary_search(places.begin(), places.begin() + qsizetype(written), Place{r, c}, before))
                    places.push_back({r, c});
    if (places.size() != written) {
        std::sort(places.begin() + qsizetype(written), places.end(), before);
        std::inplace_merge(places.begin(), places.begin() + qsizetype(written), places.end(), before);
    }
    places.erase(std::unique(places.begin(), places.end(), [](const Place &a, const Place &b) { return a.row == b.row && a.col == b.col; }),
                places.end());
    return places;
}

QString checkLimits(const Sheet &sheet, const std::vector<Place> &places)
{
    for (const Place &s : places) {
        if (s.row < 0 || s.row >= kMaxRows || s.col < 0 || s.col >= kMaxColumns)
            return QStringLiteral("工作表“%1”超出了Excel文件的范围（1048576行、16384列）").arg(sheet.name);
        if (s.cell && s.cell->value.kind == Value::Kind::Text && s.cell->value.text.size() > kMaxCellText)
            return QStringLiteral("工作表“%1”的单元格%2中的文字超过32767个字符")
                .arg(sheet.name, wb::addressText(s.row, s.col));
    }
    for (const Row &r : sheet.rows)
        if (r.row < 0 || r.row >= kMaxRows)
            return QStringLiteral("工作表“%1”超出了Excel文件的范围（1048576行、16384列）").arg(sheet.name);
    if (sheet.page.footer.size() + 2 > kMaxFooter)
        return QStringLiteral("工作表“%1”的页脚超过253个字符").arg(sheet.name);
    return QString();
}

void writeFormulaCell(XmlBuffer &x, const Cell &c, bool cacheResults)
{
    const Value &v = c.value;
    const bool finite = v.kind != Value::Kind::Number || std::isfinite(v.number);
    if (cacheResults) {
        if (v.kind == Value::Kind::Text)
            x.raw(" t=\"str\"");
        else if (v.kind == Value::Kind::Boolean)
            x.raw(" t=\"b\"");
        else if (v.kind == Value::Kind::Error || !finite)
            x.raw(" t=\"e\"");
    }
    x.raw("><f>").text(QStringView(c.formula).mid(1)).raw("</f>");
    if (cacheResults) {
        x.raw("<v>");
        switch (v.kind) {
        case Value::Kind::Text: x.text(v.text); break;
        case Value::Kind::Boolean: x.raw(v.boolean ? "1" : "0"); break;
        case Value::Kind::Error: x.text(errorText(v.error)); break;
        case Value::Kind::Number: finite ? x.number(v.number) : x.text(errorText(ErrorCode::Num)); break;
        case Value::Kind::Empty: x.raw("0"); break;
        }
        x.raw("</v>");
    }
    x.raw("</c>");
}

void writeConstantCell(XmlBuffer &x, const Cell &c, SharedStrings &strings)
{
    const Value &v = c.value;
    switch (v.kind) {
    case Value::Kind::Number:
        if (std::isfinite(v.number)) {
            x.raw("><v>").number(v.number).raw("</v></c>");
            return;
        }
        [[fallthrough]]; // infinity or NaN: no number the format knows
    case Value::Kind::Error: {
        // Also given as a formula: an error literal is one, and readers keep the cell an error.
        const QString text = errorText(v.kind == Value::Kind::Error ? v.error : ErrorCode::Num);
        x.raw(" t=\"e\"><f>").text(text).raw("</f><v>").text(text).raw("</v></c>");
        return;
    }
    case Value::Kind::Text:
        if (!v.text.isEmpty()) {
            x.raw(" t=\"s\"><v>").integer(strings.indexOf(v.text)).raw("</v></c>");
            return;
        }
        break; // an empty text is a blank cell
    case Value::Kind::Boolean: x.raw(" t=\"b\"><v>").raw(v.boolean ? "1" : "0").raw("</v></c>"); return;
    case Value::Kind::Empty: break;
    }
    x.raw("/>");
}

void writeCell(XmlBuffer &x, const Place &slot, const SheetXmlOptions &options, SharedStrings &strings)
{
    x.raw("<c r=\"").cellRef(slot.row, slot.col).raw("\"");
    x.attr("s", cellFormatIndex(slot.cell ? slot.cell->style : 0, options.styleCount));
    if (!slot.cell)
        x.raw("/>");
    else if (!slot.cell->formula.isEmpty())
        writeFormulaCell(x, *slot.cell, options.cacheResults);
    else
        writeConstantCell(x, *slot.cell, strings);
}

// The width stored for a column so that it gets the pixels it has on screen: readers take
// trunc(width * 7 + 0.5) pixels of the default font, so width is given in 1/256 of pixels / 7.
double storedWidth(double widthChars)
{
    const int pixels = wb::columnWidthPixels(widthChars);
    return std::floor(pixels / 7.0 * 256.0) / 256.0;
}

void writeColumns(XmlBuffer &x, std::vector<Column> columns)
{
    std::stable_sort(columns.begin(), columns.end(), [](const Column &a, const Column &b) { return a.col < b.col; });
    // A column given twice keeps its last setting.
    auto last = std::unique(columns.rbegin(), columns.rend(), [](const Column &a, const Column &b) { return a.col == b.col; });
    columns.erase(columns.begin(), last.base());
    columns.erase(std::remove_if(columns.begin(), columns.end(), [](const Column &c) { return c.col < 0 || c.col >= kMaxColumns; }),
                  columns.end());
    if (columns.empty())
        return;
    x.raw("<cols>");
    for (const Column &c : columns) {
        x.raw("<col").attr("min", c.col + 1).attr("max", c.col + 1).attr("width", storedWidth(c.width));
        x.raw(c.hidden ? " hidden=\"1\" customWidth=\"1\"/>" : " customWidth=\"1\"/>");
    }
    x.raw("</cols>");
}

// The height a row is given and whether it must be written; nothing when the row keeps the
// standard height and readers need not be told.
std::optional<double> rowHeight(const Sheet &sheet, const Row *settings)
{
    const bool own = settings && settings->height && *settings->height > 0;
    const double height = own ? *settings->height : sheet.defaultRowHeight;
    if (height == kStandardRowHeight && sheet.defaultRowHeight == kStandardRowHeight)
        return std::nullopt;
    return height;
}

void openRow(XmlBuffer &x, const Sheet &sheet, int row, const Row *settings)
{
    x.raw("<row").attr("r", row + 1);
    if (const auto height = rowHeight(sheet, settings))
        x.attr("ht", *height).raw(" customHeight=\"1\"");
    // A row of no height is a hidden one.
    if (settings && (settings->hidden || (settings->height && *settings->height <= 0)))
        x.raw(" hidden=\"1\"");
}

void writeRows(XmlBuffer &x, const Sheet &sheet, const std::vector<Place> &places, const SheetXmlOptions &options,
               SharedStrings &strings)
{
    std::vector<const Row *> rows;
    for (const Row &r : sheet.rows)
        rows.push_back(&r);
    std::stable_sort(rows.begin(), rows.end(), [](const Row *a, const Row *b) { return a->row < b->row; });
    x.raw("<sheetData>");
    auto slot = places.begin();
    auto settings = rows.begin();
    while (slot != places.end() || settings != rows.end()) {
        const int row = std::min(slot != places.end() ? slot->row : kMaxRows, settings != rows.end() ? (*settings)->row : kMaxRows);
        const Row *own = nullptr;
        for (; settings != rows.end() && (*settings)->row == row; ++settings)
            own = *settings; // the last one given counts
        openRow(x, sheet, row, own);
        if (slot == places.end() || slot->row != row) {
            x.raw("/>");
            continue;
        }
        x.raw(">");
        for (; slot != places.end() && slot->row == row; ++slot)
            writeCell(x, *slot, options, strings);
        x.raw("</row>");
    }
    x.raw("</sheetData>");
}

void writeDimension(XmlBuffer &x, const Sheet &sheet, const std::vector<Place> &places)
{
    x.raw("<dimension ref=\"");
    if (places.empty()) {
        x.raw("A1\"/>");
        return;
    }
    int lastRow = places.back().row, firstCol = kMaxColumns, lastCol = 0;
    for (const Place &s : places) {
        firstCol = std::min(firstCol, s.col);
        lastCol = std::max(lastCol, s.col);
    }
    int firstRow = places.front().row;
    for (const Row &r : sheet.rows) {
        firstRow = std::min(firstRow, r.row);
        lastRow = std::max(lastRow, r.row);
    }
    x.cellRef(firstRow, firstCol);
    if (firstRow != lastRow || firstCol != lastCol)
        x.raw(":").cellRef(lastRow, lastCol);
    x.raw("\"/>");
}

void writeMerges(XmlBuffer &x, const std::vector<Range> &merges)
{
    std::vector<Range> real; // a merge of one cell is no merge
    std::copy_if(merges.begin(), merges.end(), std::back_inserter(real),
                 [](const Range &m) { return m.lastRow > m.firstRow || m.lastCol > m.firstCol; });
    if (real.empty())
        return;
    x.raw("<mergeCells").attr("count", int(real.size())).raw(">");
    for (const Range &m : real)
        x.raw("<mergeCell ref=\"").cellRef(m.firstRow, m.firstCol).raw(":").cellRef(m.lastRow, m.lastCol).raw("\"/>");
    x.raw("</mergeCells>");
}

void writePageSetup(XmlBuffer &x, const PageSetup &page)
{
    if (page.centerHorizontally || page.printGridlines) {
        x.raw("<printOptions");
        if (page.centerHorizontally)
            x.raw(" horizontalCentered=\"1\"");
        if (page.printGridlines)
            x.raw(" gridLines=\"1\"");
        x.raw("/>");
    }
    x.raw("<pageMargins").attr("left", page.marginLeft).attr("right", page.marginRight);
    x.attr("top", page.marginTop).attr("bottom", page.marginBottom).raw(" header=\"0.3\"");
    x.attr("footer", page.footer.isEmpty() ? 0.3 : page.footerMargin).raw("/>");
    x.raw("<pageSetup").attr("paperSize", int(page.paper));
    if (page.fitToWidth)
        x.raw(" fitToHeight=\"0\"");
    x.raw(page.landscape ? " orientation=\"landscape\"/>" : " orientation=\"portrait\"/>");
    if (!page.footer.isEmpty())
        x.raw("<headerFooter><oddFooter>&amp;C").text(page.footer).raw("</oddFooter></headerFooter>");
    std::vector<int> breaks = page.rowBreaks;
    std::sort(breaks.begin(), breaks.end());
    breaks.erase(std::unique(breaks.begin(), breaks.end()), breaks.end());
    breaks.erase(std::remove_if(breaks.begin(), breaks.end(), [](int r) { return r <= 0 || r >= kMaxRows; }), breaks.end());
    if (breaks.size() > kMaxRowBreaks) // as many as the format's readers take
        breaks.resize(kMaxRowBreaks);
    if (breaks.empty())
        return;
    x.raw("<rowBreaks").attr("count", int(breaks.size())).attr("manualBreakCount", int(breaks.size())).raw(">");
    for (int row : breaks)
        x.raw("<brk").attr("id", row).raw(" max=\"16383\" man=\"1\"/>");
    x.raw("</rowBreaks>");
}

void writeHead(XmlBuffer &x, const Sheet &sheet, const std::vector<Place> &places, bool selected)
{
    x.raw("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
          "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
          "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">");
    if (sheet.page.fitToWidth)
        x.raw("<sheetPr><pageSetUpPr fitToPage=\"1\"/></sheetPr>");
    writeDimension(x, sheet, places);
    x.raw("<sheetViews><sheetView");
    if (!sheet.showGridlines)
        x.raw(" showGridLines=\"0\"");
    if (selected)
        x.raw(" tabSelected=\"1\"");
    x.raw(" workbookViewId=\"0\"/></sheetViews>");
    x.raw("<sheetFormatPr").attr("defaultRowHeight", sheet.defaultRowHeight);
    x.raw(sheet.defaultRowHeight == kStandardRowHeight ? "/>" : " customHeight=\"1\"/>");
}

} // namespace

QString sheetXml(const Sheet &sheet, const SheetXmlOptions &options, SharedStrings &strings, QByteArray &xml)
{
    const std::vector<Place> places = placesInOrder(sheet);
    if (QString error = checkLimits(sheet, places); !error.isEmpty())
        return error;
    // About 60 bytes a cell; reserved so that the buffer grows rarely.
    XmlBuffer x(2048 + 64 * places.size());
    writeHead(x, sheet, places, options.selected);
    writeColumns(x, sheet.columns);
    writeRows(x, sheet, places, options, strings);
    if (sheet.protect)
        x.raw("<sheetProtection sheet=\"1\" objects=\"1\" scenarios=\"1\"/>");
    writeMerges(x, sheet.merges);
    writePageSetup(x, sheet.page);
    x.raw("</worksheet>");
    xml = x.bytes();
    return QString();
}

int SharedStrings::indexOf(const QString &text)
{
    ++uses_;
    const auto it = index_.constFind(text);
    if (it != index_.constEnd())
        return it.value();
    const int index = int(texts_.size());
    index_.insert(text, index);
    texts_.push_back(text);
    return index;
}

QByteArray SharedStrings::xml() const
{
    XmlBuffer x(64 + 16 * texts_.size());
    x.raw("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
          "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"");
    x.attr("count", uses_).attr("uniqueCount", int(texts_.size())).raw(">");
    for (const QString &text : texts_) {
        x.raw(needsSpacePreserved(text) ? "<si><t xml:space=\"preserve\">" : "<si><t>");
        x.text(text).raw("</t></si>");
    }
    x.raw("</sst>");
    return x.bytes();
}

} // namespace mhbk::xlsout
