#include "workbooks/engine/jsontree.h"
#include "workbooks/engine/printplan.h"
#include "workbooks/engine/stylejson.h"
#include "workbooks/engine/workbookjson.h"

#include <QFile>
#include <QJsonObject>
#include <QRegularExpression>
#include <algorithm>
#include <map>
#include <string_view>
#include <unordered_map>

namespace mhbk::wb {

namespace {

// `path` says where in the document: inner steps throw with the part they know ("input",
// ".style") and callers put their part in front, so no path is spelt out unless something is wrong.
struct Failure
{
    QString path;
    QString message;
};

// Position of a JSON syntax error as the author sees it in an editor.
QString lineAndColumn(const QByteArray &json, int offset)
{
    offset = std::clamp(offset, 0, int(json.size()));
    const QByteArray before = json.left(offset);
    const int line = int(before.count('\n')) + 1;
    const int lineStart = int(before.lastIndexOf('\n')) + 1;
    const int column = int(QString::fromUtf8(before.mid(lineStart)).size()) + 1;
    return QStringLiteral("第 %1 行第 %2 列").arg(line).arg(column);
}

class Loader
{
public:
    Workbook run(const JsonValue &root)
    {
        expectKeys(root, {"format", "version", "defaultStyle", "styles", "activeSheet", "sheets"}, QString());
        if (root.value("format").utf8() != "mhbk-workbook")
            fail(QStringLiteral("format"), QStringLiteral("应为 \"mhbk-workbook\""));
        const JsonValue version = root.value("version");
        if (!version.isNumber() || version.toInt() < 1)
            fail(QStringLiteral("version"), QStringLiteral("应为正整数"));
        if (version.toInt() > kWorkbookFormatVersion)
            fail(QStringLiteral("version"), QStringLiteral("版本 %1 比本程序支持的版本 %2 新").arg(version.toInt()).arg(kWorkbookFormatVersion));
        if (root.contains("defaultStyle")) {
            CellStyle base;
            applyStyle(object(root, "defaultStyle", QString()), &base, QStringLiteral("defaultStyle"));
            book_.setDefaultStyle(base);
        }
        for (const JsonValue::Member style : object(root, "styles", QString()).members()) {
            const QString path = QStringLiteral("styles.") + style.key();
            if (!style.value().isObject())
                fail(path, QStringLiteral("应为对象"));
            const QJsonObject json = style.value().toQJsonValue().toObject();
            CellStyle probe;
            applyStyle(json, &probe, path);
            styles_[style.key()] = json;
        }
        const JsonValue sheets = array(root, "sheets", QString());
        if (sheets.size() == 0)
            fail(QStringLiteral("sheets"), QStringLiteral("至少要有一个工作表"));
        for (qsizetype i = 0; i < sheets.size(); ++i) {
            const QString path = QStringLiteral("sheets[%1]").arg(i);
            if (!sheets[i].isObject())
                fail(path, QStringLiteral("应为对象"));
            const QString name = sheets[i].value("name").toString();
            if (book_.addSheet(name) < 0)
                fail(path + QStringLiteral(".name"), QStringLiteral("工作表名为空或重复"));
        }
        book_.beginUpdate();
        for (qsizetype i = 0; i < sheets.size(); ++i)
            loadSheet(int(i), sheets[i], QStringLiteral("sheets[%1]").arg(i));
        book_.endUpdate();
        const JsonValue active = root.value("activeSheet");
        if (!active.isUndefined() && (!active.isNumber() || active.toInt() < 0 || active.toInt() >= book_.sheetCount()))
            fail(QStringLiteral("activeSheet"), QStringLiteral("不是有效的工作表序号"));
        book_.setActiveSheet(active.toInt());
        return std::move(book_);
    }

private:
    [[noreturn]] static void fail(const QString &path, const QString &message) { throw Failure{path, message}; }

    // Runs `step`; a failure inside it is reported under `where()` followed by the step's own part.
    template<typename Step, typename Where>
    static void within(Where &&where, Step &&step)
    {
        try {
            step();
        } catch (Failure &f) {
            f.path.prepend(where());
            throw;
        }
    }

    static QString join(const QString &path, const char *key)
    {
        return path.isEmpty() ? QLatin1String(key) : path + u'.' + QLatin1String(key);
    }

    // Members are met in key order, so the unknown key reported is the first in that order.
    static void expectKeys(const JsonValue &o, std::initializer_list<std::string_view> keys, const QString &path)
    {
        for (const JsonValue::Member m : o.members()) {
            if (std::find(keys.begin(), keys.end(), m.keyUtf8()) == keys.end())
                fail(path.isEmpty() ? m.key() : path + u'.' + m.key(), QStringLiteral("未知的键"));
        }
    }

    // The member `key` when it is an object; undefined (no members) when absent.
    static JsonValue object(const JsonValue &o, const char *key, const QString &path)
    {
        const JsonValue v = o.value(key);
        if (!v.isUndefined() && !v.isObject())
            fail(join(path, key), QStringLiteral("应为对象"));
        return v;
    }

    // The member `key` when it is an array; undefined (no elements) when absent.
    static JsonValue array(const JsonValue &o, const char *key, const QString &path)
    {
        const JsonValue v = o.value(key);
        if (!v.isUndefined() && !v.isArray())
            fail(join(path, key), QStringLiteral("应为数组"));
        return v;
    }

    static double number(const JsonValue &o, const char *key, const QString &path, double fallback, double lo, double hi)
    {
        const JsonValue v = o.value(key);
        if (v.isUndefined())
            return fallback;
        if (!v.isNumber() || v.toDouble() < lo || v.toDouble() > hi)
            fail(join(path, key), QStringLiteral("应为 %1 到 %2 之间的数").arg(lo).arg(hi));
        return v.toDouble();
    }

    static bool flag(const JsonValue &o, const char *key, const QString &path, bool fallback)
    {
        const JsonValue v = o.value(key);
        if (v.isUndefined())
            return fallback;
        if (!v.isBool())
            fail(join(path, key), QStringLiteral("应为 true 或 false"));
        return v.toBool();
    }

    static void applyStyle(const QJsonObject &json, CellStyle *style, const QString &path)
    {
        QString error;
        if (!applyStyleJson(json, style, &error))
            fail(path + u'.' + error.section(u':', 0, 0), error.section(u':', 1).trimmed());
    }

    static void applyStyle(const JsonValue &json, CellStyle *style, const QString &path)
    {
        applyStyle(json.toQJsonValue().toObject(), style, path);
    }

    static CellRange range(const QString &text, const QString &path)
    {
        // "H" and "3" stand for the whole column and row.
        static const QRegularExpression line(QStringLiteral("^\\$?([A-Za-z]+|[0-9]+)$"));
        const auto r = parseRange(line.match(text).hasMatch() ? text + u':' + text : text);
        if (!r)
            fail(path, QStringLiteral("“%1”不是有效的单元格区域").arg(text));
        return *r;
    }

    void loadSheet(int index, const JsonValue &o, const QString &path);
    void loadCells(int sheet, const JsonValue &cells, const QString &path);
    void loadBlocks(int sheet, const JsonValue &blocks, const QString &path);
    void setCell(int sheet, int row, int col, const JsonValue &v);
    void loadFormats(int sheet, const JsonValue &formats, const QString &path);
    // The style objects a "style" entry names or holds; `key` is the names alone when it only
    // names styles (empty otherwise), so the result of applying it can be remembered.
    struct StyleDescription
    {
        std::vector<QJsonObject> objects;
        QString key;
    };
    StyleDescription styleDescription(const JsonValue &v, const QString &path) const;
    void applyToRange(int sheet, const CellRange &r, const StyleDescription &description, const QString &path);
    void loadLayout(Sheet &sheet, const JsonValue &o, const QString &path);
    static void loadPage(PageSetup &page, const JsonValue &o, const QString &path);
    static void checkMarginsFit(const PageSetup &page, const QString &path);
    static void loadPrintRows(PageSetup &page, const JsonValue &o, const QString &path);
    static std::vector<int> rowList(const JsonValue &o, const char *key, const QString &path);
    static CellRange wholeRows(const QString &text, const QString &path);

    // A cell's text as a string. Tables repeat their texts (units, names, sizes) down the
    // rows: the same text is made once and shared, up to kSharedTexts different ones.
    // Formulas differ from row to row and are not kept.
    QString text(const JsonValue &v)
    {
        const std::string_view utf8 = v.utf8();
        if (utf8.starts_with('='))
            return v.toString();
        if (const auto it = texts_.find(utf8); it != texts_.end())
            return it->second;
        QString made = v.toString();
        if (texts_.size() < kSharedTexts)
            texts_.emplace(utf8, made);
        return made;
    }
    static constexpr std::size_t kSharedTexts = 4096;

    Workbook book_;
    std::unordered_map<std::string_view, QString> texts_;   // views into the document being read
    std::map<QString, QJsonObject> styles_;
    // (style index before, named description) -> style index after, across the whole file:
    // a ledger names the same few styles for thousands of ranges.
    std::map<std::pair<int, QString>, int> restyled_;
};

} // namespace

void Loader::loadSheet(int index, const JsonValue &o, const QString &path)
{
    expectKeys(o, {"name", "defaultColumnWidth", "defaultRowHeight", "columns", "rows", "hiddenColumns", "hiddenRows",
                   "merges", "protected", "gridlines", "page", "format", "cells", "blocks"},
               path);
    loadCells(index, object(o, "cells", path), join(path, "cells"));
    loadBlocks(index, array(o, "blocks", path), join(path, "blocks"));
    loadFormats(index, array(o, "format", path), join(path, "format"));
    loadLayout(book_.sheet(index), o, path);
}

// Cells are set in key order.
void Loader::loadCells(int sheet, const JsonValue &cells, const QString &path)
{
    for (const JsonValue::Member cell : cells.members()) {
        const QString key = cell.key();
        const auto a = parseAddress(key);
        if (!a)
            fail(path + u'.' + key, QStringLiteral("“%1”不是有效的单元格地址").arg(key));
        within([&] { return path + u'.' + key; }, [&] { setCell(sheet, a->row, a->col, cell.value()); });
    }
}

void Loader::loadBlocks(int sheet, const JsonValue &blocks, const QString &path)
{
    for (qsizetype b = 0; b < blocks.size(); ++b) {
        const QString blockPath = QStringLiteral("%1[%2]").arg(path).arg(b);
        const JsonValue block = blocks[b];
        if (!block.isObject())
            fail(blockPath, QStringLiteral("应为对象"));
        expectKeys(block, {"at", "rows"}, blockPath);
        const auto at = parseAddress(block.value("at").toString());
        if (!at)
            fail(join(blockPath, "at"), QStringLiteral("应为单元格地址"));
        const JsonValue rows = array(block, "rows", blockPath);
        for (qsizetype r = 0; r < rows.size(); ++r) {
            auto rowPath = [&] { return QStringLiteral("%1.rows[%2]").arg(blockPath).arg(r); };
            const JsonValue values = rows[r];
            if (!values.isArray())
                fail(rowPath(), QStringLiteral("应为数组"));
            for (qsizetype c = 0; c < values.size(); ++c)
                within([&] { return QStringLiteral("%1[%2]").arg(rowPath()).arg(c); },
                       [&] { setCell(sheet, at->row + int(r), at->col + int(c), values[c]); });
        }
    }
}

// A cell is a JSON string typed as a user would, a number, a boolean, null (nothing), or
// {"input": ..., "style": ...}. Failures carry the path below the cell (".input"), or none.
void Loader::setCell(int sheet, int row, int col, const JsonValue &v)
{
    if (row >= kMaxRows || col >= kMaxColumns)
        fail(QString(), QStringLiteral("单元格超出工作表范围"));
    if (v.isObject()) {
        within([] { return QStringLiteral("."); }, [&] { expectKeys(v, {"input", "style"}, QString()); });
        within([] { return QStringLiteral(".input"); }, [&] { setCell(sheet, row, col, v.value("input")); });
        if (v.contains("style"))
            applyToRange(sheet, {row, col, row, col}, styleDescription(v.value("style"), QStringLiteral(".style")), QString());
        return;
    }
    if (v.isNull() || v.isUndefined())
        return;
    if (v.isNumber()) {
        // -0 is stored as 0: a cell never shows "-0".
        const double d = v.toDouble();
        book_.setValue(sheet, row, col, Value::number(d == 0 ? 0.0 : d));
    } else if (v.isBool()) {
        book_.setValue(sheet, row, col, Value::boolean(v.toBool()));
    } else if (v.isString()) {
        const InputResult r = book_.setInput(sheet, row, col, text(v));
        if (!r.ok)
            fail(QString(), QStringLiteral("公式第 %1 个字符处有错：%2").arg(r.position).arg(r.message));
    } else {
        fail(QString(), QStringLiteral("单元格应为文本、数、true/false 或 null"));
    }
}

Loader::StyleDescription Loader::styleDescription(const JsonValue &v, const QString &path) const
{
    StyleDescription description;
    bool named = true;
    auto add = [&](const JsonValue &one, const QString &p) {
        if (one.isObject()) {
            const QJsonObject json = one.toQJsonValue().toObject();
            CellStyle probe;
            applyStyle(json, &probe, p);
            description.objects.push_back(json);
            named = false;
            return;
        }
        const auto it = styles_.find(one.toString());
        if (!one.isString() || it == styles_.end())
            fail(p, QStringLiteral("没有名为“%1”的样式").arg(one.toString()));
        description.objects.push_back(it->second);
        description.key += it->first + u'\n';
    };
    if (v.isArray()) {
        for (qsizetype i = 0; i < v.size(); ++i)
            add(v[i], QStringLiteral("%1[%2]").arg(path).arg(i));
    } else {
        add(v, path);
    }
    if (!named)
        description.key.clear();
    return description;
}

void Loader::applyToRange(int sheetIndex, const CellRange &r, const StyleDescription &description, const QString &path)
{
    Sheet &sheet = book_.sheet(sheetIndex);
    const int lastRow = r.lastRow >= kMaxRows - 1 ? std::max(r.firstRow, sheet.rowCount() - 1) : r.lastRow;
    const int lastCol = r.lastCol >= kMaxColumns - 1 ? std::max(r.firstCol, sheet.columnCount() - 1) : r.lastCol;
    if (qint64(lastRow - r.firstRow + 1) * (lastCol - r.firstCol + 1) > 1'000'000)
        fail(path, QStringLiteral("区域过大"));
    std::map<int, int> restyled;   // old style index -> new one, for this entry
    sheet.restyle({r.firstRow, r.firstCol, lastRow, lastCol}, [&](int old) {
        auto it = restyled.find(old);
        if (it == restyled.end()) {
            const auto known = description.key.isEmpty() ? restyled_.end() : restyled_.find({old, description.key});
            if (known != restyled_.end()) {
                it = restyled.emplace(old, known->second).first;
            } else {
                CellStyle s = book_.style(old);
                for (const QJsonObject &o : description.objects)
                    applyStyle(o, &s, path);
                it = restyled.emplace(old, book_.addStyle(s)).first;
                if (!description.key.isEmpty())
                    restyled_.emplace(std::pair(old, description.key), it->second);
            }
        }
        return it->second;
    });
}

void Loader::loadFormats(int sheet, const JsonValue &formats, const QString &path)
{
    for (qsizetype i = 0; i < formats.size(); ++i) {
        const QString entryPath = QStringLiteral("%1[%2]").arg(path).arg(i);
        const JsonValue entry = formats[i];
        if (!entry.isObject())
            fail(entryPath, QStringLiteral("应为对象"));
        expectKeys(entry, {"range", "style"}, entryPath);
        const auto description = styleDescription(entry.value("style"), join(entryPath, "style"));
        const JsonValue ranges = entry.value("range");
        const QString rangePath = join(entryPath, "range");
        if (!ranges.isArray())
            applyToRange(sheet, range(ranges.toString(), rangePath), description, rangePath);
        for (qsizetype k = 0; k < ranges.size(); ++k)
            applyToRange(sheet, range(ranges[k].toString(), rangePath), description, rangePath);
    }
}

// Later keys win where ranges overlap ("A:C" before "B").
void Loader::loadLayout(Sheet &sheet, const JsonValue &o, const QString &path)
{
    sheet.setDefaultColumnWidth(number(o, "defaultColumnWidth", path, sheet.defaultColumnWidth(), 0, 255));
    sheet.setDefaultRowHeight(number(o, "defaultRowHeight", path, sheet.defaultRowHeight(), 0, 409));
    for (const JsonValue::Member column : object(o, "columns", path).members()) {
        const QString p = join(path, "columns") + u'.' + column.key();
        const CellRange r = range(column.key(), p);
        const JsonValue width = column.value();
        if (!width.isNumber() || width.toDouble() < 0 || width.toDouble() > 255)
            fail(p, QStringLiteral("列宽应为 0 到 255 之间的数（字符数）"));
        for (int c = r.firstCol; c <= std::min(r.lastCol, r.firstCol + 1000); ++c)
            sheet.setColumnWidth(c, width.toDouble());
    }
    for (const JsonValue::Member row : object(o, "rows", path).members()) {
        const QString p = join(path, "rows") + u'.' + row.key();
        const CellRange r = range(row.key(), p);
        const JsonValue height = row.value();
        if (!height.isNumber() || height.toDouble() < 0 || height.toDouble() > 409)
            fail(p, QStringLiteral("行高应为 0 到 409 之间的数（磅）"));
        for (int i = r.firstRow; i <= std::min(r.lastRow, r.firstRow + 10000); ++i)
            sheet.setRowHeight(i, height.toDouble());
    }
    const JsonValue hiddenColumns = array(o, "hiddenColumns", path);
    for (qsizetype i = 0; i < hiddenColumns.size(); ++i) {
        const CellRange r = range(hiddenColumns[i].toString(), QStringLiteral("%1.hiddenColumns[%2]").arg(path).arg(i));
        sheet.setColumnsHidden(r.firstCol, r.lastCol, true);
    }
    const JsonValue hiddenRows = array(o, "hiddenRows", path);
    for (qsizetype i = 0; i < hiddenRows.size(); ++i) {
        const CellRange r = range(hiddenRows[i].toString(), QStringLiteral("%1.hiddenRows[%2]").arg(path).arg(i));
        sheet.setRowsHidden(r.firstRow, r.lastRow, true);
    }
    const JsonValue merges = array(o, "merges", path);
    for (qsizetype i = 0; i < merges.size(); ++i)
        sheet.addMerge(range(merges[i].toString(), QStringLiteral("%1.merges[%2]").arg(path).arg(i)));
    sheet.setProtected(flag(o, "protected", path, false));
    sheet.setShowGridlines(flag(o, "gridlines", path, true));
    loadPage(sheet.pageSetup(), object(o, "page", path), join(path, "page"));
}

void Loader::loadPage(PageSetup &page, const JsonValue &o, const QString &path)
{
    expectKeys(o, {"paper", "landscape", "fitToWidth", "margins", "centerHorizontally", "printGridlines", "titleRows",
                   "footer", "keepWithNext", "notes"},
               path);
    loadPrintRows(page, o, path);
    const QString paper = o.value("paper").toString(QStringLiteral("A4"));
    if (paper == QLatin1String("A4")) page.paper = Paper::A4;
    else if (paper == QLatin1String("A3")) page.paper = Paper::A3;
    else if (paper == QLatin1String("Letter")) page.paper = Paper::Letter;
    else fail(join(path, "paper"), QStringLiteral("应为 \"A4\"、\"A3\" 或 \"Letter\""));
    page.landscape = flag(o, "landscape", path, false);
    page.fitToWidth = flag(o, "fitToWidth", path, true);
    page.centerHorizontally = flag(o, "centerHorizontally", path, false);
    page.printGridlines = flag(o, "printGridlines", path, false);
    const JsonValue m = array(o, "margins", path);
    if (m.size() == 0)
        return;
    if (m.size() != 4)
        fail(join(path, "margins"), QStringLiteral("应为 [左, 右, 上, 下] 四个数（英寸）"));
    double *fields[] = {&page.marginLeft, &page.marginRight, &page.marginTop, &page.marginBottom};
    for (int i = 0; i < 4; ++i) {
        if (!m[i].isNumber() || m[i].toDouble() < 0 || m[i].toDouble() > 10)
            fail(join(path, "margins"), QStringLiteral("页边距应为 0 到 10 之间的数（英寸）"));
        *fields[i] = m[i].toDouble();
    }
    checkMarginsFit(page, join(path, "margins"));
}

// Margins that meet or cross on the paper leave no room for the cells: the preview would draw
// the page inside out. The file is refused, saying by how much they miss.
void Loader::checkMarginsFit(const PageSetup &page, const QString &path)
{
    const QSizeF room = printableArea(page) / 96.0;
    const double footer = page.footer.isEmpty() ? 0 : kFooterBandInches;
    const QString paper = page.paper == Paper::A3 ? QStringLiteral("A3") : page.paper == Paper::Letter ? QStringLiteral("Letter")
                                                                                                  : QStringLiteral("A4");
    const QString orientation = page.landscape ? QStringLiteral("横向") : QStringLiteral("纵向");
    if (room.width() <= 0)
        fail(path, QStringLiteral("左右页边距合计 %1 英寸，超过了%2%3纸张的宽度 %4 英寸，页面上没有地方放单元格。"
                                  "请在文件中减小左、右页边距（margins 的前两个数，单位英寸）。")
                       .arg(page.marginLeft + page.marginRight, 0, 'g', 4)
                       .arg(paper, orientation)
                       .arg(room.width() + page.marginLeft + page.marginRight, 0, 'f', 2));
    if (room.height() - footer <= 0)
        fail(path, QStringLiteral("上下页边距合计 %1 英寸%2，超过了%3%4纸张的高度 %5 英寸，页面上没有地方放单元格。"
                                  "请在文件中减小上、下页边距（margins 的后两个数，单位英寸）。")
                       .arg(page.marginTop + page.marginBottom, 0, 'g', 4)
                       .arg(footer > 0 ? QStringLiteral("（另有页脚占 %1 英寸）").arg(footer) : QString())
                       .arg(paper, orientation)
                       .arg(room.height() + page.marginTop + page.marginBottom, 0, 'f', 2));
}

CellRange Loader::wholeRows(const QString &text, const QString &path)
{
    const CellRange r = range(text, path);
    if (r.firstCol != 0 || r.lastCol < kMaxColumns - 1)
        fail(path, QStringLiteral("应为整行，如 \"3\" 或 \"3:4\""));
    return r;
}

std::vector<int> Loader::rowList(const JsonValue &o, const char *key, const QString &path)
{
    std::vector<int> rows;
    const JsonValue list = array(o, key, path);
    for (qsizetype i = 0; i < list.size(); ++i) {
        const CellRange r = wholeRows(list[i].toString(), QStringLiteral("%1.%2[%3]").arg(path, QLatin1String(key)).arg(i));
        for (int row = r.firstRow; row <= std::min(r.lastRow, r.firstRow + 10000); ++row)
            rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void Loader::loadPrintRows(PageSetup &page, const JsonValue &o, const QString &path)
{
    const JsonValue titles = o.value("titleRows");
    if (!titles.isUndefined() && !titles.isNull()) {
        const CellRange r = wholeRows(titles.toString(), join(path, "titleRows"));
        page.titleFirstRow = r.firstRow;
        page.titleLastRow = r.lastRow;
    }
    const JsonValue footer = o.value("footer");
    if (!footer.isUndefined() && !footer.isString())
        fail(join(path, "footer"), QStringLiteral("应为文字"));
    page.footer = footer.toString();
    page.keepWithNext = rowList(o, "keepWithNext", path);
    page.noteRows = rowList(o, "notes", path);
}

std::optional<Workbook> loadWorkbook(const QByteArray &json, LoadError *error)
{
    const JsonTree tree(json);
    if (!tree.isValid()) {
        if (error)
            error->message = QStringLiteral("工作簿文件%1格式错误：%2").arg(lineAndColumn(json, tree.error().offset), tree.error().reason);
        return std::nullopt;
    }
    if (!tree.root().isObject()) {
        if (error)
            error->message = QStringLiteral("工作簿文件应为一个 JSON 对象");
        return std::nullopt;
    }
    try {
        return Loader().run(tree.root());
    } catch (const Failure &f) {
        if (error)
            error->message = QStringLiteral("工作簿文件有错：") + (f.path.isEmpty() ? QString() : f.path + QStringLiteral(": ")) + f.message;
        return std::nullopt;
    }
}

std::optional<Workbook> loadWorkbookFile(const QString &path, LoadError *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            error->message = QStringLiteral("无法读取工作簿文件“%1”：%2").arg(path, file.errorString());
        return std::nullopt;
    }
    return loadWorkbook(file.readAll(), error);
}

} // namespace mhbk::wb
