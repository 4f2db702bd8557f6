#include "workbooks/export/xlswriter.h"

#include "common/errors.h"
#include "workbooks/engine/workbook.h"
#include "workbooks/export/atomicfile.h"
#include "workbooks/export/biffstream.h"
#include "workbooks/export/cfbwriter.h"
#include "workbooks/export/xlsformula.h"
#include "workbooks/export/xlspagesetup.h"
#include "workbooks/export/xlsstyles.h"

#include <QHash>
#include <optional>
#include <stdexcept>
#include <string_view>
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

// A sheet's cells in row order, with the shared strings they use already numbered and their
// formulas already turned into tokens.
struct SheetPlan {
    const Sheet *sheet = nullptr;
    std::vector<const Cell *> cells;
    std::vector<std::uint32_t> sst;                // per cell, for text values
    // The formulas' tokens in one buffer for the sheet (a large sheet has tens of thousands
    // of formulas), and per cell where its tokens end; they start where the previous cell's end.
    ByteWriter tokens;
    std::vector<std::uint32_t> tokensEnd;
    qsizetype boundSheetField = 0;                 // where the sheet's stream offset goes in BOUNDSHEET

    // Empty for a cell written as a value: a formula's token array never is.
    std::string_view tokensOf(std::size_t cell) const
    {
        const std::uint32_t start = cell ? tokensEnd[cell - 1] : 0;
        return {tokens.constData() + start, tokensEnd[cell] - start};
    }
};

SheetPlan planSheet(const Sheet &sheet, const FormulaPlace &place, StringTable &strings, const XlsOptions &options)
{
    checkLimits(sheet);
    SheetPlan plan;
    plan.sheet = &sheet;
    for (const Cell &c : sheet.cells)
        plan.cells.push_back(&c);
    // Descriptions of a live workbook come in reading order already.
    const auto readingOrder = [](const Cell *a, const Cell *b) { return std::pair(a->row, a->col) < std::pair(b->row, b->col); };
    if (!std::is_sorted(plan.cells.begin(), plan.cells.end(), readingOrder))
        std::sort(plan.cells.begin(), plan.cells.end(), readingOrder);
    plan.sst.reserve(plan.cells.size());
    plan.tokensEnd.reserve(plan.cells.size());
    for (const Cell *c : plan.cells) {
        // A formula is written from the engine's parse; one that did not parse keeps its value.
        const bool formula = c->parsed && options.formulas
                             && appendFormulaTokens(*c->parsed, place, c->parsedRowOffset, plan.tokens);
        const bool shared = c->value.kind == Value::Kind::Text && !formula;
        plan.sst.push_back(shared ? strings.index(c->value.text.left(kMaxCellText)) : 0);
        plan.tokensEnd.push_back(std::uint32_t(plan.tokens.size()));
    }
    return plan;
}

// One internal SUPBOOK and an EXTERNSHEET whose entry i is sheet i, for 3-D references in
// formulas and names.
void writeSheetReferences(BiffStream &s, std::size_t sheetCount)
{
    ByteWriter supbook;
    supbook.u16(unsigned(sheetCount));
    supbook.u16(0x0401); // this workbook
    s.record(rec::SupBook, supbook);
    ByteWriter externSheet;
    externSheet.u16(unsigned(sheetCount));
    for (std::size_t i = 0; i < sheetCount; ++i) {
        externSheet.u16(0);
        externSheet.u16(unsigned(i));
        externSheet.u16(unsigned(i));
    }
    s.record(rec::ExternSheet, externSheet);
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
    writeSheetReferences(s, book.sheets.size());
    // NAME records belong here, after the EXTERNSHEET they refer to sheets through.
    writePrintTitleNames(s, book);
    writeSharedStrings(s, strings.strings(), strings.uses());
    s.record(rec::Eof, QByteArray());
}

// COLINFO counts 1/256 of a digit's width including the cell's padding, which readers turn
// back into pixels as trunc((units + 18) / 256 * 7): the width in pixels that the sheet has
// on screen gives units that come back as those same pixels.
unsigned columnWidthUnits(double widthChars)
{
    const int pixels = wb::columnWidthPixels(widthChars);
    return unsigned(std::clamp(std::lround(pixels * 256.0 / 7.0), 0L, 65535L));
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
            w.u16(columnWidthUnits(cols[i].width));
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

// Columns the cells of one row span: first, and one past the last (0, 0 for a row without cells).
struct RowSpan {
    const Row *layout = nullptr;
    int first = 0;
    int end = 0;
};

void writeRow(BiffStream &s, int row, const RowSpan &span, double defaultHeight)
{
    const Row *layout = span.layout;
    const bool custom = layout && layout->height;
    const bool hidden = layout && layout->hidden;
    ByteWriter w;
    w.u16(unsigned(row));
    w.u16(unsigned(span.first));
    w.u16(unsigned(span.end));
    w.u16(twips(custom ? *layout->height : defaultHeight));
    w.u32(0);
    w.u32(0x0100u | (hidden ? 0x20u : 0u) | (custom ? 0x40u : 0u) | (15u << 16));
    s.record(rec::Row, w);
}

// A FORMULA record with its cached result, and the STRING record a text result needs.
void writeFormula(BiffStream &s, const Cell &c, std::string_view tokens, const XlsStyleTable &styles,
                  const XlsOptions &options)
{
    ByteWriter w;
    w.reserve(64); // the fixed part and most token arrays
    w.u16(unsigned(c.row));
    w.u16(unsigned(c.col));
    w.u16(styles.xfIndex(c.style));
    const Value none;
    const Value &v = options.cacheResults ? c.value : none;
    auto special = [&w](unsigned type, unsigned value) {
        w.u8(type);
        w.u8(0);
        w.u8(value);
        w.u8(0);
        w.u8(0);
        w.u8(0);
        w.u16(0xFFFF);
    };
    const bool text = v.kind == Value::Kind::Text && !v.text.isEmpty();
    switch (v.kind) {
    case Value::Kind::Number: w.f64(std::isfinite(v.number) ? v.number : 0.0); break;
    case Value::Kind::Text: special(v.text.isEmpty() ? 3 : 0, 0); break;
    case Value::Kind::Boolean: special(1, v.boolean ? 1 : 0); break;
    case Value::Kind::Error: special(2, unsigned(v.error)); break;
    case Value::Kind::Empty: w.f64(0.0); break;
    }
    w.u16(options.cacheResults ? 0 : 0x0002); // without results: calculate on load
    w.u32(0);
    w.u16(unsigned(tokens.size()));
    w.bytes(tokens.data(), tokens.size());
    s.record(rec::Formula, w);
    if (text)
        stringRecord(s, rec::String, v.text.left(kMaxCellText));
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

void writeRowsAndCells(BiffStream &s, const SheetPlan &plan, const XlsStyleTable &styles, double defaultHeight,
                       const XlsOptions &options)
{
    std::map<int, RowSpan> rows; // every row that needs a ROW record
    for (const Row &r : plan.sheet->rows)
        if (r.row >= 0 && r.row < kXlsMaxRows)
            rows[r.row].layout = &r;
    // The cells come sorted by row, then column.
    for (auto it = rows.end(); const Cell *c : plan.cells) {
        if (it == rows.end() || it->first != c->row) {
            it = rows.try_emplace(c->row).first;
            it->second.first = c->col;
        }
        it->second.end = c->col + 1;
    }

    auto rowIt = rows.begin();
    std::size_t cellIndex = 0;
    while (rowIt != rows.end()) {
        const int blockEnd = (rowIt->first / kRowBlock + 1) * kRowBlock;
        for (; rowIt != rows.end() && rowIt->first < blockEnd; ++rowIt)
            writeRow(s, rowIt->first, rowIt->second, defaultHeight);
        for (; cellIndex < plan.cells.size() && plan.cells[cellIndex]->row < blockEnd; ++cellIndex) {
            if (const std::string_view tokens = plan.tokensOf(cellIndex); !tokens.empty())
                writeFormula(s, *plan.cells[cellIndex], tokens, styles, options);
            else
                writeCell(s, *plan.cells[cellIndex], plan.sst[cellIndex], styles);
        }
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

void writeSheet(BiffStream &s, const SheetPlan &plan, const XlsStyleTable &styles, bool first,
                const XlsOptions &options)
{
    const Sheet &sheet = *plan.sheet;
    s.patch32(plan.boundSheetField, std::uint32_t(s.position()));
    bof(s, 0x0010);
    ByteWriter rowHeight;
    rowHeight.u16(0);
    rowHeight.u16(twips(sheet.defaultRowHeight));
    s.record(rec::DefaultRowHeight, rowHeight);
    writePageSetup(s, sheet.page);
    if (sheet.protect)
        u16Record(s, rec::Protect, 1);
    u16Record(s, rec::DefColWidth, unsigned(std::clamp(std::lround(sheet.defaultColumnWidth), 0L, 255L)));
    writeColumns(s, sheet);
    writeDimensions(s, plan);
    writeRowsAndCells(s, plan, styles, sheet.defaultRowHeight, options);
    writeWindow2(s, sheet, first);
    writeMerges(s, sheet);
    s.record(rec::Eof, QByteArray());
}

} // namespace

std::string xlsWorkbookStream(const Book &book, const XlsOptions &options)
{
    if (book.sheets.empty()) {
        Book withSheet = book;
        withSheet.sheets.emplace_back(); // a workbook needs at least one sheet
        return xlsWorkbookStream(withSheet, options);
    }
    const Book &withSheet = book;
    StringTable strings;
    std::vector<SheetPlan> plans;
    FormulaPlace place{0};
    for (const Sheet &sheet : withSheet.sheets) {
        plans.push_back(planSheet(sheet, place, strings, options));
        ++place.sheet;
    }
    const XlsStyleTable styles(withSheet.styles);

    BiffStream stream;
    // Room for the whole stream at once, and for the container around it (a 1/128 part for its
    // sector table): growing a buffer of megabytes step by step maps and copies it several
    // times over.
    qsizetype expected = 64 * 1024;
    for (const SheetPlan &plan : plans)
        expected += qsizetype(plan.cells.size()) * 24 + plan.tokens.size();
    stream.reserve(expected + expected / 64);
    writeGlobals(stream, withSheet, styles, plans, strings);
    for (std::size_t i = 0; i < plans.size(); ++i)
        writeSheet(stream, plans[i], styles, i == 0, options);
    return stream.take();
}

std::string xlsFileBytes(const Book &book, const XlsOptions &options)
{
    return compoundFileWithWorkbook(xlsWorkbookStream(book, options));
}

void writeXlsFile(const Book &book, const QString &path, const XlsOptions &options)
{
    const std::string bytes = xlsFileBytes(book, options);
    writeFileAtomically(path, QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size())));
}

} // namespace mhbk::xlsout
