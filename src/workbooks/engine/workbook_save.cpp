#include "workbooks/engine/stylejson.h"
#include "workbooks/engine/workbookjson.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <algorithm>
#include <map>
#include <utility>

namespace mhbk::wb {

namespace {

QString styleName(int index)
{
    return QStringLiteral("s%1").arg(index);
}

QJsonValue cellJson(const Sheet &sheet, int row, int col)
{
    if (sheet.isFormula(row, col))
        return sheet.input(row, col);
    const Value v = sheet.value(row, col);
    switch (v.kind()) {
    case Value::Kind::Number: return v.asNumber();
    case Value::Kind::Boolean: return v.asBoolean();
    case Value::Kind::Empty: return QJsonValue();
    default: return sheet.input(row, col);
    }
}

// Equally styled cells as rectangles: runs along each row, joined with the same run of the
// rows below ({"range": "D2:D5001", "style": "s3"}), so a long table is a few entries.
QJsonArray formatJson(const Sheet &sheet)
{
    struct Run
    {
        CellRange range;
        int style;
    };
    std::vector<Run> done;
    std::map<std::pair<int, int>, Run> open;   // (first column, style) -> rectangle reaching the row above
    auto closeBefore = [&](int row) {
        for (auto it = open.begin(); it != open.end();) {
            if (it->second.range.lastRow < row - 1) {
                done.push_back(it->second);
                it = open.erase(it);
            } else {
                ++it;
            }
        }
    };
    const std::vector<CellAddress> cells = sheet.cells();
    for (size_t i = 0; i < cells.size();) {
        const int row = cells[i].row, style = sheet.styleIndex(row, cells[i].col);
        if (i == 0 || cells[i - 1].row != row)
            closeBefore(row);
        size_t j = i + 1;
        while (j < cells.size() && cells[j].row == row && cells[j].col == cells[j - 1].col + 1 &&
               sheet.styleIndex(row, cells[j].col) == style)
            ++j;
        if (style != 0) {
            const CellRange r{row, cells[i].col, row, cells[j - 1].col};
            auto [it, added] = open.try_emplace({r.firstCol, style}, Run{r, style});
            if (!added && (it->second.range.lastRow == row - 1 && it->second.range.lastCol == r.lastCol)) {
                it->second.range.lastRow = row;
            } else if (!added) {
                done.push_back(it->second);
                it->second = Run{r, style};
            }
        }
        i = j;
    }
    for (const auto &[key, run] : open)
        done.push_back(run);
    std::sort(done.begin(), done.end(), [](const Run &a, const Run &b) {
        return std::pair(a.range.firstRow, a.range.firstCol) < std::pair(b.range.firstRow, b.range.firstCol);
    });
    QJsonArray out;
    for (const Run &run : done)
        out.append(QJsonObject{{QStringLiteral("range"), rangeText(run.range)}, {QStringLiteral("style"), styleName(run.style)}});
    return out;
}

// The cells' content as blocks: each row's cells from its first to its last (null where a
// short gap has nothing), and rows starting in the same column one under another share a block.
QJsonArray blocksJson(const Sheet &sheet)
{
    constexpr int kLongestGap = 4;   // more empty cells than this in a row start a new block
    struct Block
    {
        int firstRow, col, lastRow;
        QJsonArray rows;
    };
    std::vector<Block> blocks;
    std::map<int, size_t> byColumn;   // first column -> the block that row segments there extend
    auto addSegment = [&](int row, int col, QJsonArray values) {
        const auto it = byColumn.find(col);
        if (it != byColumn.end() && blocks[it->second].lastRow == row - 1) {
            Block &b = blocks[it->second];
            b.rows.append(values);
            b.lastRow = row;
            return;
        }
        byColumn[col] = blocks.size();
        QJsonArray rows;
        rows.append(values);   // one row inside the block (QJsonArray{values} may copy it instead)
        blocks.push_back({row, col, row, rows});
    };
    const std::vector<CellAddress> cells = sheet.cells();
    int row = -1, firstCol = 0, nextCol = 0;
    QJsonArray values;
    for (const CellAddress &a : cells) {
        const QJsonValue v = cellJson(sheet, a.row, a.col);
        if (v.isNull())
            continue;
        if (a.row != row || a.col - nextCol > kLongestGap) {
            if (!values.isEmpty())
                addSegment(row, firstCol, std::exchange(values, QJsonArray()));
            row = a.row;
            firstCol = nextCol = a.col;
        }
        for (; nextCol < a.col; ++nextCol)
            values.append(QJsonValue());
        values.append(v);
        nextCol = a.col + 1;
    }
    if (!values.isEmpty())
        addSegment(row, firstCol, values);
    QJsonArray out;
    for (const Block &b : blocks)
        out.append(QJsonObject{{QStringLiteral("at"), addressText(b.firstRow, b.col)}, {QStringLiteral("rows"), b.rows}});
    return out;
}

QString paperName(Paper p)
{
    switch (p) {
    case Paper::A3: return QStringLiteral("A3");
    case Paper::Letter: return QStringLiteral("Letter");
    case Paper::A4: break;
    }
    return QStringLiteral("A4");
}

QString rowRange(int first, int last)
{
    return first == last ? QString::number(first + 1) : QStringLiteral("%1:%2").arg(first + 1).arg(last + 1);
}

// Sorted row indices as runs: {2, 3, 4, 9} -> ["3:5", "10"].
QJsonArray rowRuns(const std::vector<int> &rows)
{
    QJsonArray out;
    for (std::size_t i = 0; i < rows.size();) {
        std::size_t j = i;
        while (j + 1 < rows.size() && rows[j + 1] == rows[j] + 1)
            ++j;
        out.append(rowRange(rows[i], rows[j]));
        i = j + 1;
    }
    return out;
}

QJsonObject pageJson(const PageSetup &p)
{
    QJsonObject o{{QStringLiteral("paper"), paperName(p.paper)},
                  {QStringLiteral("landscape"), p.landscape},
                  {QStringLiteral("fitToWidth"), p.fitToWidth},
                  {QStringLiteral("margins"), QJsonArray{p.marginLeft, p.marginRight, p.marginTop, p.marginBottom}},
                  {QStringLiteral("centerHorizontally"), p.centerHorizontally},
                  {QStringLiteral("printGridlines"), p.printGridlines}};
    if (p.hasTitles())
        o.insert(QStringLiteral("titleRows"), rowRange(p.titleFirstRow, p.titleLastRow));
    if (!p.footer.isEmpty())
        o.insert(QStringLiteral("footer"), p.footer);
    if (!p.keepWithNext.empty())
        o.insert(QStringLiteral("keepWithNext"), rowRuns(p.keepWithNext));
    if (!p.noteRows.empty())
        o.insert(QStringLiteral("notes"), rowRuns(p.noteRows));
    return o;
}

QJsonArray lines(const std::vector<int> &indices, bool columns)
{
    QJsonArray out;
    for (int i : indices)
        out.append(columns ? columnName(i) : QString::number(i + 1));
    return out;
}

QJsonObject sheetJson(const Sheet &sheet)
{
    QJsonObject columns, rows;
    for (const auto &[c, w] : sheet.columnWidths())
        columns.insert(columnName(c), w);
    for (const auto &[r, h] : sheet.rowHeights())
        rows.insert(QString::number(r + 1), h);
    QJsonArray merges;
    for (const CellRange &m : sheet.merges())
        merges.append(rangeText(m));
    return QJsonObject{{QStringLiteral("name"), sheet.name()},
                       {QStringLiteral("defaultColumnWidth"), sheet.defaultColumnWidth()},
                       {QStringLiteral("defaultRowHeight"), sheet.defaultRowHeight()},
                       {QStringLiteral("columns"), columns},
                       {QStringLiteral("rows"), rows},
                       {QStringLiteral("hiddenColumns"), lines(sheet.hiddenColumns(), true)},
                       {QStringLiteral("hiddenRows"), lines(sheet.hiddenRows(), false)},
                       {QStringLiteral("merges"), merges},
                       {QStringLiteral("protected"), sheet.isProtected()},
                       {QStringLiteral("gridlines"), sheet.showGridlines()},
                       {QStringLiteral("page"), pageJson(sheet.pageSetup())},
                       {QStringLiteral("format"), formatJson(sheet)},
                       {QStringLiteral("blocks"), blocksJson(sheet)}};
}

} // namespace

QByteArray saveWorkbook(const Workbook &book)
{
    const CellStyle &base = book.style(0);
    QJsonObject styles;
    for (int i = 1; i < book.styleCount(); ++i)
        styles.insert(styleName(i), styleDiffJson(book.style(i), base));
    QJsonArray sheets;
    for (int s = 0; s < book.sheetCount(); ++s)
        sheets.append(sheetJson(book.sheet(s)));
    const QJsonObject root{{QStringLiteral("format"), QStringLiteral("mhbk-workbook")},
                           {QStringLiteral("version"), kWorkbookFormatVersion},
                           {QStringLiteral("defaultStyle"), styleDiffJson(base, CellStyle())},
                           {QStringLiteral("styles"), styles},
                           {QStringLiteral("activeSheet"), book.activeSheet()},
                           {QStringLiteral("sheets"), sheets}};
    // Compact: a ledger of thousands of rows reads back several times faster without the indentation.
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

bool saveWorkbookFile(const Workbook &book, const QString &path, QString *error)
{
    QSaveFile file(path);
    const QByteArray bytes = saveWorkbook(book);
    // flush() before commit(): Qt 6.4's commit() ignores a failed flush of the buffered bytes.
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush() || !file.commit()) {
        if (error)
            *error = QStringLiteral("无法写入工作簿文件“%1”：%2").arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace mhbk::wb
