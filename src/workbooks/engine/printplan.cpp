#include "workbooks/engine/printplan.h"

#include "workbooks/engine/workbook.h"

#include <algorithm>
#include <cmath>

namespace mhbk::wb {
namespace {

// The printed range: everything with content or style, merged ranges included.
CellRange usedRange(const Sheet &sheet)
{
    int rows = sheet.rowCount(), cols = sheet.columnCount();
    for (const CellRange &m : sheet.merges()) {
        rows = std::max(rows, m.lastRow + 1);
        cols = std::max(cols, m.lastCol + 1);
    }
    return CellRange{0, 0, std::max(rows, 1) - 1, std::max(cols, 1) - 1};
}

double rowExtent(const Sheet &sheet, int row) { return sheet.isRowHidden(row) ? 0 : rowHeightPixels(sheet.rowHeight(row)); }

double columnExtent(const Sheet &sheet, int col)
{
    return sheet.isColumnHidden(col) ? 0 : columnWidthPixels(sheet.columnWidth(col));
}

bool contains(const std::vector<int> &sortedRows, int row)
{
    return std::binary_search(sortedRows.begin(), sortedRows.end(), row);
}

// Splits the columns into runs that fit `room`; a column wider than the page gets a page of its own.
std::vector<std::pair<int, int>> splitColumns(const Sheet &sheet, const CellRange &used, double room)
{
    std::vector<std::pair<int, int>> runs;
    int start = used.firstCol;
    double width = 0;
    for (int c = used.firstCol; c <= used.lastCol; ++c) {
        const double e = columnExtent(sheet, c);
        if (c > start && width + e > room + 1e-6) {
            runs.emplace_back(start, c - 1);
            start = c;
            width = 0;
        }
        width += e;
    }
    runs.emplace_back(start, used.lastCol);
    return runs;
}

// Rows by page. A page below the title rows has their height less room. A break is moved up
// while it would leave a heading last on a page or start a page with notes, as long as the
// page keeps at least one row.
class RowSplitter {
public:
    RowSplitter(const Sheet &sheet, double room, double titleHeight)
        : sheet_(sheet), setup_(sheet.pageSetup()), room_(room), titleHeight_(titleHeight)
    {
        // Cells come in reading order, so the rows come sorted.
        sheet.forEachCell([this](const Sheet::CellContent &cell) {
            if (!cell.value.isEmpty() && (filledRows_.empty() || filledRows_.back() != cell.row))
                filledRows_.push_back(cell.row);
        });
    }

    std::vector<std::pair<int, int>> split(int first, int last) const
    {
        std::vector<std::pair<int, int>> runs;
        for (int start = first; start <= last;) {
            const int end = breakAfter(start, last);
            runs.emplace_back(start, end - 1);
            start = end;
        }
        return runs;
    }

    bool titlesAbove(int firstRow) const { return setup_.hasTitles() && firstRow > setup_.titleLastRow; }

private:
    // The first row of the next page.
    int breakAfter(int start, int last) const
    {
        const double room = room_ - (titlesAbove(start) ? titleHeight_ : 0);
        double used = 0;
        int end = start;
        while (end <= last && (end == start || used + rowExtent(sheet_, end) <= room + 1e-6))
            used += rowExtent(sheet_, end++);
        if (end > last)
            return end;
        for (int b = end; b > start; --b)
            if (!badBreak(b))
                return b;
        return end;
    }

    // Empty rows between a table and its notes count as part of the notes.
    bool badBreak(int row) const
    {
        if (contains(setup_.keepWithNext, row - 1))
            return true;
        const auto next = std::lower_bound(filledRows_.begin(), filledRows_.end(), row);
        return next != filledRows_.end() && contains(setup_.noteRows, *next);
    }

    const Sheet &sheet_;
    const PageSetup &setup_;
    double room_;
    double titleHeight_;
    std::vector<int> filledRows_;
};

// The run (of rows or of columns) that `at` falls in; -1 outside them all. The runs are in order
// and do not overlap.
int runOf(const std::vector<std::pair<int, int>> &runs, int at)
{
    const auto after = std::upper_bound(runs.begin(), runs.end(), at,
                                        [](int value, const std::pair<int, int> &run) { return value < run.first; });
    if (after == runs.begin() || at > std::prev(after)->second)
        return -1;
    return int(std::prev(after) - runs.begin());
}

QSizeF paperInches(Paper paper)
{
    switch (paper) {
    case Paper::A3: return {297 / 25.4, 420 / 25.4};
    case Paper::Letter: return {8.5, 11};
    case Paper::A4: break;
    }
    return {210 / 25.4, 297 / 25.4};
}

} // namespace

int rowHeightPixels(double points) { return int(std::lround(points * 96.0 / 72.0)); }

QSizeF printableArea(const PageSetup &setup)
{
    QSizeF paper = paperInches(setup.paper);
    if (setup.landscape)
        paper.transpose();
    return {(paper.width() - setup.marginLeft - setup.marginRight) * 96.0,
            (paper.height() - setup.marginTop - setup.marginBottom) * 96.0};
}

PrintPlan planPrint(const Sheet &sheet, QSizeF printable)
{
    const PageSetup &setup = sheet.pageSetup();
    const CellRange used = usedRange(sheet);
    PrintPlan plan;
    double width = 0;
    for (int c = used.firstCol; c <= used.lastCol; ++c)
        width += columnExtent(sheet, c);
    if (setup.fitToWidth && width > printable.width())
        plan.scale = printable.width() / width;
    if (setup.hasTitles())
        for (int r = setup.titleFirstRow; r <= setup.titleLastRow; ++r)
            plan.titleHeight += rowExtent(sheet, r);
    const double height = printable.height() - (setup.footer.isEmpty() ? 0 : kFooterBandInches * 96.0);
    const RowSplitter rows(sheet, height / plan.scale, plan.titleHeight);
    const auto rowRuns = rows.split(used.firstRow, used.lastRow);
    for (const auto &run : rowRuns)
        if (run.first > 0)
            plan.breakRows.push_back(run.first);
    const auto columnRuns = splitColumns(sheet, used, printable.width() / plan.scale);
    // One pass over the cells marks the pages holding a value; the others are left out.
    std::vector<char> holdsValue(rowRuns.size() * columnRuns.size(), 0);
    sheet.forEachCell([&](const Sheet::CellContent &cell) {
        if (cell.value.isEmpty())
            return;
        const int r = runOf(rowRuns, cell.row);
        const int c = runOf(columnRuns, cell.col);
        if (r >= 0 && c >= 0)
            holdsValue[std::size_t(c) * rowRuns.size() + std::size_t(r)] = 1;
    });
    for (std::size_t c = 0; c < columnRuns.size(); ++c)
        for (std::size_t r = 0; r < rowRuns.size(); ++r) {
            if (!holdsValue[c * rowRuns.size() + r])
                continue;
            const auto [r0, r1] = rowRuns[r];
            const auto [c0, c1] = columnRuns[c];
            plan.pages.push_back(CellRange{r0, c0, r1, c1});
            plan.withTitles.push_back(rows.titlesAbove(r0));
        }
    if (plan.pages.empty()) {
        plan.pages.push_back(
            CellRange{rowRuns.front().first, columnRuns.front().first, rowRuns.front().second, columnRuns.front().second});
        plan.withTitles.push_back(false);
    }
    return plan;
}

std::vector<int> pageBreakRows(const PrintPlan &plan)
{
    return plan.breakRows;
}

QString footerText(const QString &pattern, int page, int pageCount)
{
    QString out;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        const QChar next = i + 1 < pattern.size() ? pattern[i + 1] : QChar();
        if (c == u'&' && (next == u'P' || next == u'p'))
            out += QString::number(page), ++i;
        else if (c == u'&' && (next == u'N' || next == u'n'))
            out += QString::number(pageCount), ++i;
        else if (c == u'&' && next == u'&')
            out += u'&', ++i;
        else
            out += c;
    }
    return out;
}

} // namespace mhbk::wb
