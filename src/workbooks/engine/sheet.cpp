#include "workbooks/engine/numberformat.h"
#include "workbooks/engine/workbook_p.h"

#include <algorithm>
#include <cmath>

namespace mhbk::wb {

int columnWidthPixels(double widthChars, int digitPixels)
{
    if (widthChars <= 0)
        return 0;
    if (widthChars < 1)
        return int(std::trunc(widthChars * (digitPixels + 5) + 0.5));
    return int(std::trunc(widthChars * digitPixels + 5));
}

Sheet::Sheet(QString name) : name_(std::move(name)), data_(std::make_unique<SheetData>()) {}

Sheet::~Sheet() = default;

QString Sheet::input(int row, int col) const
{
    const CellData *c = data_->find(row, col);
    if (!c)
        return QString();
    if (c->formula)
        return c->formula->text;
    const Value &v = c->value;
    switch (v.kind()) {
    case Value::Kind::Empty: return QString();
    case Value::Kind::Number: return numberText(v.asNumber());
    case Value::Kind::Boolean: return v.asBoolean() ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case Value::Kind::Error: return errorText(v.asError());
    case Value::Kind::Text: break;
    }
    // A text that would be read back as something else keeps Excel's apostrophe.
    const QString &t = v.asText();
    ErrorCode code;
    const bool ambiguous = t.startsWith(u'=') || t.startsWith(u'\'') || textToNumber(t).has_value() ||
                           t.compare(u"TRUE", Qt::CaseInsensitive) == 0 ||
                           t.compare(u"FALSE", Qt::CaseInsensitive) == 0 || errorFromText(t.trimmed(), &code) ||
                           (!t.isEmpty() && (t.front().isSpace() || t.back().isSpace()));
    return ambiguous ? u'\'' + t : t;
}

bool Sheet::isFormula(int row, int col) const
{
    const CellData *c = data_->find(row, col);
    return c && c->isFormula();
}

Value Sheet::value(int row, int col) const
{
    const CellData *c = data_->find(row, col);
    return c ? c->value : Value();
}

int Sheet::styleIndex(int row, int col) const
{
    const CellData *c = data_->find(row, col);
    return c ? c->style : 0;
}

void Sheet::setStyleIndex(int row, int col, int style)
{
    if (row < 0 || col < 0 || row >= kMaxRows || col >= kMaxColumns)
        return;
    if (style == 0 && !data_->find(row, col))
        return;
    data_->touch(row, col).style = style;
}

void Sheet::setStyleIndex(const CellRange &range, int style)
{
    // Whole columns or rows are styled as far as the sheet is used, not to row 1048576.
    const int lastRow = range.lastRow >= kMaxRows - 1 ? std::max(range.firstRow, data_->lastRow) : range.lastRow;
    const int lastCol = range.lastCol >= kMaxColumns - 1 ? std::max(range.firstCol, data_->lastCol) : range.lastCol;
    restyle({range.firstRow, range.firstCol, lastRow, lastCol}, [style](int) { return style; });
}

void Sheet::restyle(const CellRange &range, const std::function<int(int)> &to)
{
    for (int r = std::max(range.firstRow, 0); r <= std::min(range.lastRow, kMaxRows - 1); ++r) {
        for (int c = std::max(range.firstCol, 0); c <= std::min(range.lastCol, kMaxColumns - 1); ++c) {
            if (CellData *cell = data_->find(r, c))
                cell->style = to(cell->style);
            else if (const int style = to(0); style != 0)
                data_->touch(r, c).style = style;
        }
    }
}

std::vector<CellAddress> Sheet::cells() const
{
    std::vector<CellAddress> out;
    out.reserve(data_->cells.size());
    data_->cells.forEach([&](int row, int col, const CellData &cell) {
        if (!cell.isBlank())
            out.push_back({row, col});
    });
    return out;
}

std::size_t Sheet::cellCountBound() const
{
    return data_->cells.size();
}

void Sheet::forEachCell(const std::function<void(const CellContent &)> &fn) const
{
    static const QString none;
    data_->cells.forEach([&](int row, int col, const CellData &cell) {
        if (cell.isBlank())
            return;
        const FormulaCell *f = cell.formula.get();
        fn(CellContent{row, col, cell.value, cell.style, f != nullptr, f ? f->text : none,
                       f && f->tree ? &f->tree->root() : nullptr, f ? f->rowOffset : 0});
    });
}

int Sheet::rowCount() const
{
    return data_->lastRow + 1;
}

int Sheet::columnCount() const
{
    return data_->lastCol + 1;
}

double Sheet::columnWidth(int col) const
{
    const auto it = data_->columnWidths.find(col);
    return it == data_->columnWidths.end() ? defaultColumnWidth_ : it->second;
}

void Sheet::setColumnWidth(int col, double chars)
{
    if (col >= 0 && col < kMaxColumns)
        data_->columnWidths[col] = std::clamp(chars, 0.0, 255.0);
}

double Sheet::rowHeight(int row) const
{
    const auto it = data_->rowHeights.find(row);
    return it == data_->rowHeights.end() ? defaultRowHeight_ : it->second;
}

bool Sheet::hasRowHeight(int row) const
{
    return data_->rowHeights.count(row) > 0;
}

void Sheet::setRowHeight(int row, double points)
{
    if (row >= 0 && row < kMaxRows)
        data_->rowHeights[row] = std::clamp(points, 0.0, 409.0);
}

bool Sheet::isColumnHidden(int col) const
{
    return data_->hiddenColumns.count(col) > 0;
}

namespace {

void setFlags(std::set<int> &set, int first, int last, int limit, bool on)
{
    first = std::max(first, 0);
    last = std::min(last, limit - 1);
    for (int i = first; i <= last; ++i) {
        if (on)
            set.insert(i);
        else
            set.erase(i);
    }
}

} // namespace

void Sheet::setColumnsHidden(int firstCol, int lastCol, bool hidden)
{
    setFlags(data_->hiddenColumns, firstCol, lastCol, kMaxColumns, hidden);
}

bool Sheet::isRowHidden(int row) const
{
    return data_->hiddenRows.count(row) > 0;
}

void Sheet::setRowsHidden(int firstRow, int lastRow, bool hidden)
{
    // Hiding is kept per row, so a whole-sheet range stops at the used rows.
    setFlags(data_->hiddenRows, firstRow, std::min(lastRow, std::max(data_->lastRow, firstRow + 1000)), kMaxRows,
             hidden);
}

std::vector<std::pair<int, double>> Sheet::columnWidths() const
{
    std::vector<std::pair<int, double>> out;
    for (const auto &[k, v] : data_->columnWidths)
        out.emplace_back(k, v);
    return out;
}

std::vector<std::pair<int, double>> Sheet::rowHeights() const
{
    std::vector<std::pair<int, double>> out;
    for (const auto &[k, v] : data_->rowHeights)
        out.emplace_back(k, v);
    return out;
}

std::vector<int> Sheet::hiddenColumns() const
{
    return {data_->hiddenColumns.begin(), data_->hiddenColumns.end()};
}

std::vector<int> Sheet::hiddenRows() const
{
    return {data_->hiddenRows.begin(), data_->hiddenRows.end()};
}

void Sheet::addMerge(const CellRange &range)
{
    if (range.firstRow == range.lastRow && range.firstCol == range.lastCol)
        return;
    std::erase_if(merges_, [&](const CellRange &m) { return m.intersects(range); });
    merges_.push_back(range);
}

const CellRange *Sheet::mergeAt(int row, int col) const
{
    for (const CellRange &m : merges_)
        if (m.contains(row, col))
            return &m;
    return nullptr;
}

} // namespace mhbk::wb
