#include "workbooks/engine/stylejson.h"
#include "workbooks/engine/workbookjson.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <map>

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

// Runs of equally styled cells along each row: {"range": "A1:D1", "style": "s3"}.
QJsonArray formatJson(const Sheet &sheet)
{
    QJsonArray out;
    const std::vector<CellAddress> cells = sheet.cells();
    size_t i = 0;
    while (i < cells.size()) {
        const int style = sheet.styleIndex(cells[i].row, cells[i].col);
        size_t j = i + 1;
        while (j < cells.size() && cells[j].row == cells[i].row && cells[j].col == cells[j - 1].col + 1 &&
               sheet.styleIndex(cells[j].row, cells[j].col) == style)
            ++j;
        if (style != 0) {
            const CellRange r{cells[i].row, cells[i].col, cells[j - 1].row, cells[j - 1].col};
            out.append(QJsonObject{{QStringLiteral("range"), rangeText(r)}, {QStringLiteral("style"), styleName(style)}});
        }
        i = j;
    }
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
    QJsonObject cells;
    for (const CellAddress &a : sheet.cells()) {
        const QJsonValue v = cellJson(sheet, a.row, a.col);
        if (!v.isNull())
            cells.insert(addressText(a.row, a.col), v);
    }
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
                       {QStringLiteral("cells"), cells}};
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
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
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
