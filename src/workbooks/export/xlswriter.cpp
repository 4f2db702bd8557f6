#include "workbooks/export/xlswriter.h"

#include "common/errors.h"
#include "workbooks/export/atomicfile.h"
#include "workbooks/export/biffstream.h"
#include "workbooks/export/cfbwriter.h"
#include "workbooks/export/xlsstyles.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <map>

namespace mhbk::xlsout {
namespace {

constexpr int kRowBlock = 32; // ROW records are grouped 32 at a time ahead of their cells
constexpr int kMaxMergesPerRecord = 1026;
constexpr int kMaxCellText = 32767;

// Unique strings in first-use order, for the shared string table.
class StringTable {
public:
    std::uint32_t index(const QString &s)
    {
        ++uses_;
        const auto it = map_.constFind(s);
        if (it != map_.constEnd())
            return *it;
        const auto i = std::uint32_t(strings_.size());
        map_.insert(s, i);
        strings_.push_back(s);
        return i;
    }
    const std::vector<QString> &strings() const { return strings_; }
    std::uint32_t uses() const { return uses_; }

private:
    QHash<QString, std::uint32_t> map_;
    std::vector<QString> strings_;
    std::uint32_t uses_ = 0;
};

void bof(BiffStream &s, unsigned type)
{
    ByteWriter w;
    w.u16(0x0600);   // BIFF8
    w.u16(type);     // 0x0005 workbook globals, 0x0010 worksheet
    w.u16(0x0DBB);
    w.u16(0x07CC);
    w.u32(0);
    w.u32(0x00000006);
    s.record(rec::Bof, w);
}

void u16Record(BiffStream &s, unsigned id, unsigned value)
{
    ByteWriter w;
    w.u16(value);
    s.record(id, w);
}

void checkLimits(const Sheet &sheet)
{
    auto outside = [](int row, int col) { return row < 0 || col < 0 || row >= kXlsMaxRows || col >= kXlsMaxColumns; };
    bool bad = std::any_of(sheet.cells.begin(), sheet.cells.end(), [&](const Cell &c) { return outside(c.row, c.col); });
    bad = bad || std::any_of(sheet.merges.begin(), sheet.merges.end(),
                             [&](const Range &r) { return outside(r.lastRow, r.lastCol) || outside(r.firstRow, r.firstCol); });
    if (bad)
        throw AppError(QStringLiteral("工作表“%1”超出了Excel 97-2003文件的范围（65536行、256列）。").arg(sheet.name));
}

// A sheet's cells in row order, with the shared strings they use already numbered.
struct SheetPlan {
    const Sheet *sheet = nullptr;
    std::vector<const Cell *> cells;
    std::vector<std::uint32_t> sst; // per cell, for text values
    qsizetype boundSheetField = 0;  // where the sheet's stream offset goes in BOUNDSHEET
};

SheetPlan planSheet(const Sheet &sheet, StringTable &strings)
{
    checkLimits(sheet);
    SheetPlan plan;
    plan.sheet = &sheet;
    for (const Cell &c : sheet.cells)
        plan.cells.push_back(&c);
    std::sort(plan.cells.begin(), plan.cells.end(),
              [](const Cell *a, const Cell *b) { return std::pair(a->row, a->col) < std::pair(b->row, b->col); });
    for (const Cell *c : plan.cells)
        plan.sst.push_back(c->value.kind == Value::Kind::Text ? strings.index(c->value.text.left(kMaxCellText)) : 0);
    return plan;
}

void writeGlobals(BiffStream &s, const Book &book, const XlsStyleTable &styles, std::vector<SheetPlan> &plans,
                  const StringTable &strings)
{
    bof(s, 0x0005);
    u16Record(s, rec::Codepage, 1200); // strings are UTF-16
    ByteWriter window;
    for (unsigned v : {0u, 0u, 0x25BCu, 0x1572u, 0x0038u, 0u, 0u, 1u, 0x0258u})
        window.u16(v);
    s.record(rec::Window1, window);
    styles.write(s);
    for (std::size_t i = 0; i < book.sheets.size(); ++i) {
        ByteWriter w;
        w.u32(0); // patched once the sheet's position is known
        w.u8(0);  // visible
        w.u8(0);  // worksheet
        shortUnicodeString(w, book.sheets[i].name.left(31));
        plans[i].boundSheetField = s.position() + 4;
        s.record(rec::BoundSheet, w);
    }
    writeSharedStrings(s, strings.strings(), strings.uses());
    s.record(rec::Eof, QByteArray());
}

void writeColumns(BiffStream &s, const Sheet &sheet)
{
    std::vector<Column> cols = sheet.columns;
    std::sort(cols.begin(), cols.end(), [](const Column &a, const Column &b) { return a.col < b.col; });
    for (std::size_t i = 0; i < cols.size();) {
        // Neighbouring columns that look the same share one COLINFO.
        std::size_t j = i;
        while (j + 1 < cols.size() && cols[j + 1].col == cols[j].col + 1 && cols[j + 1].width == cols[i].width &&
               cols[j + 1].hidden == cols[i].hidden)
            ++j;
        if (cols[i].col < kXlsMaxColumns) {
            ByteWriter w;
            w.u16(unsigned(cols[i].col));
            w.u16(unsigned(std::min(cols[j].col, kXlsMaxColumns - 1)));
            w.u16(unsigned(std::clamp(std::lround(cols[i].width * 256), 0L, 65535L)));
            w.u16(15);
            w.u16(cols[i].hidden ? 0x0001 : 0);
            w.u16(0);
            s.record(rec::ColInfo, w);
        }
        i = j + 1;
    }
}

void writeDimensions(BiffStream &s, const SheetPlan &plan)
{
    int firstRow = 0, lastRow = -1, firstCol = 0, lastCol = -1;
    if (!plan.cells.empty()) {
        firstRow = plan.cells.front()->row;
        lastRow = plan.cells.back()->row;
        firstCol = kXlsMaxColumns;
        for (const Cell *c : plan.cells) {
            firstCol = std::min(firstCol, c->col);
            lastCol = std::max(lastCol, c->col);
        }
    }
    ByteWriter w;
    w.u32(std::uint32_t(firstRow));
    w.u32(std::uint32_t(lastRow + 1));
    w.u16(unsigned(plan.cells.empty() ? 0 : firstCol));
    w.u16(unsigned(lastCol + 1));
    w.u16(0);
    s.record(rec::Dimensions, w);
}

unsigned twips(double points) { return unsigned(std::clamp(std::lround(points * 20), 0L, 0x7FFFL)); }

void writeRow(BiffStream &s, int row, const Row *layout, const std::vector<const Cell *> &cells, double defaultHeight)
{
    int first = 0, last = -1;
    for (const Cell *c : cells)
        if (c->row == row) {
            first = last < 0 ? c->col : first;
            last = c->col;
        }
    const bool custom = layout && layout->height;
    const bool hidden = layout && layout->hidden;
    ByteWriter w;
    w.u16(unsigned(row));
    w.u16(unsigned(first));
    w.u16(unsigned(last + 1));
    w.u16(twips(custom ? *layout->height : defaultHeight));
    w.u32(0);
    w.u32(0x0100u | (hidden ? 0x20u : 0u) | (custom ? 0x40u : 0u) | (15u << 16));
    s.record(rec::Row, w);
}

void writeCell(BiffStream &s, const Cell &c, std::uint32_t sst, const XlsStyleTable &styles)
{
    ByteWriter w;
    w.u16(unsigned(c.row));
    w.u16(unsigned(c.col));
    w.u16(styles.xfIndex(c.style));
    switch (c.value.kind) {
    case Value::Kind::Number:
        w.f64(std::isfinite(c.value.number) ? c.value.number : 0.0);
        s.record(rec::Number, w);
        return;
    case Value::Kind::Text:
        w.u32(sst);
        s.record(rec::LabelSst, w);
        return;
    case Value::Kind::Boolean:
    case Value::Kind::Error: {
        const bool isError = c.value.kind == Value::Kind::Error;
        w.u8(isError ? unsigned(c.value.error) : unsigned(c.value.boolean));
        w.u8(isError ? 1 : 0);
        s.record(rec::BoolErr, w);
        return;
    }
    case Value::Kind::Empty:
        s.record(rec::Blank, w);
        return;
    }
}

void writeRowsAndCells(BiffStream &s, const SheetPlan &plan, const XlsStyleTable &styles, double defaultHeight)
{
    std::map<int, const Row *> layouts;
    for (const Row &r : plan.sheet->rows)
        if (r.row >= 0 && r.row < kXlsMaxRows)
            layouts[r.row] = &r;
    std::map<int, bool> rows; // every row that needs a ROW record
    for (const Cell *c : plan.cells)
        rows[c->row] = true;
    for (const auto &[row, layout] : layouts)
        rows[row] = true;

    auto rowIt = rows.begin();
    std::size_t cellIndex = 0;
    while (rowIt != rows.end()) {
        const int blockEnd = (rowIt->first / kRowBlock + 1) * kRowBlock;
        for (; rowIt != rows.end() && rowIt->first < blockEnd; ++rowIt) {
            const auto lay = layouts.find(rowIt->first);
            writeRow(s, rowIt->first, lay == layouts.end() ? nullptr : lay->second, plan.cells, defaultHeight);
        }
        for (; cellIndex < plan.cells.size() && plan.cells[cellIndex]->row < blockEnd; ++cellIndex)
            writeCell(s, *plan.cells[cellIndex], plan.sst[cellIndex], styles);
    }
}

void writeWindow2(BiffStream &s, const Sheet &sheet, bool first)
{
    unsigned flags = 0x0004 | 0x0010 | 0x0020 | 0x0080; // headings, zeros, default colour, outline symbols
    if (sheet.showGridlines)
        flags |= 0x0002;
    if (first)
        flags |= 0x0200 | 0x0400; // selected and shown
    ByteWriter w;
    w.u16(flags);
    w.u16(0);
    w.u16(0);
    w.u16(64);
    w.zeros(10);
    s.record(rec::Window2, w);
}

void writeMerges(BiffStream &s, const Sheet &sheet)
{
    for (std::size_t i = 0; i < sheet.merges.size(); i += kMaxMergesPerRecord) {
        const std::size_t n = std::min<std::size_t>(kMaxMergesPerRecord, sheet.merges.size() - i);
        ByteWriter w;
        w.u16(unsigned(n));
        for (std::size_t k = i; k < i + n; ++k) {
            const Range &r = sheet.merges[k];
            w.u16(unsigned(r.firstRow));
            w.u16(unsigned(r.lastRow));
            w.u16(unsigned(r.firstCol));
            w.u16(unsigned(r.lastCol));
        }
        s.record(rec::MergedCells, w);
    }
}

void writeSheet(BiffStream &s, const SheetPlan &plan, const XlsStyleTable &styles, bool first)
{
    const Sheet &sheet = *plan.sheet;
    s.patch32(plan.boundSheetField, std::uint32_t(s.position()));
    bof(s, 0x0010);
    ByteWriter rowHeight;
    rowHeight.u16(0);
    rowHeight.u16(twips(sheet.defaultRowHeight));
    s.record(rec::DefaultRowHeight, rowHeight);
    if (sheet.protect)
        u16Record(s, rec::Protect, 1);
    u16Record(s, rec::DefColWidth, unsigned(std::clamp(std::lround(sheet.defaultColumnWidth), 0L, 255L)));
    writeColumns(s, sheet);
    writeDimensions(s, plan);
    writeRowsAndCells(s, plan, styles, sheet.defaultRowHeight);
    writeWindow2(s, sheet, first);
    writeMerges(s, sheet);
    s.record(rec::Eof, QByteArray());
}

} // namespace

QByteArray xlsWorkbookStream(const Book &book)
{
    Book withSheet = book;
    if (withSheet.sheets.empty())
        withSheet.sheets.emplace_back(); // a workbook needs at least one sheet
    StringTable strings;
    std::vector<SheetPlan> plans;
    for (const Sheet &sheet : withSheet.sheets)
        plans.push_back(planSheet(sheet, strings));
    const XlsStyleTable styles(withSheet.styles);

    BiffStream stream;
    writeGlobals(stream, withSheet, styles, plans, strings);
    for (std::size_t i = 0; i < plans.size(); ++i)
        writeSheet(stream, plans[i], styles, i == 0);
    return stream.take();
}

QByteArray xlsFileBytes(const Book &book) { return compoundFileWithWorkbook(xlsWorkbookStream(book)); }

void writeXlsFile(const Book &book, const QString &path) { writeFileAtomically(path, xlsFileBytes(book)); }

} // namespace mhbk::xlsout
