#include "takeoff/takeoffbook.h"

#include "workbooks/engine/address.h"

#include <QStringList>
#include <algorithm>

namespace mhbk::takeoff {

namespace {

const QString kSheetName = QStringLiteral("工程量清单");

struct Styles {
    int title, caption, text, number, weight, totalCaption, totalWeight;
};

wb::CellStyle framed()
{
    wb::CellStyle style;
    const wb::Border thin{wb::LineStyle::Thin, 0};
    style.left = style.right = style.top = style.bottom = thin;
    style.vAlign = wb::VAlign::Center;
    return style;
}

Styles addStyles(wb::Workbook &book)
{
    Styles s{};
    wb::CellStyle title;
    title.font.sizePt = 16;
    title.font.bold = true;
    title.hAlign = wb::HAlign::Center;
    s.title = book.addStyle(title);
    wb::CellStyle caption = framed();
    caption.font.bold = true;
    caption.hAlign = wb::HAlign::Center;
    caption.filled = true;
    caption.fill = 0xDDEBF7;
    s.caption = book.addStyle(caption);
    s.text = book.addStyle(framed());
    wb::CellStyle number = framed();
    number.numberFormat = QStringLiteral("0.###");
    s.number = book.addStyle(number);
    wb::CellStyle weight = framed();
    weight.numberFormat = QStringLiteral("0.000");
    s.weight = book.addStyle(weight);
    wb::CellStyle totalCaption = framed();
    totalCaption.font.bold = true;
    s.totalCaption = book.addStyle(totalCaption);
    wb::CellStyle totalWeight = weight;
    totalWeight.font.bold = true;
    s.totalWeight = book.addStyle(totalWeight);
    return s;
}

void put(wb::Workbook &book, int row, int col, const wb::Value &value, int style)
{
    book.setValue(0, row, col, value);
    book.sheet(0).setStyleIndex(row, col, style);
}

void putFormula(wb::Workbook &book, int row, int col, const QString &formula, int style)
{
    book.setInput(0, row, col, QLatin1Char('=') + formula);
    book.sheet(0).setStyleIndex(row, col, style);
}

void writeCaptions(wb::Workbook &book, const Styles &s)
{
    const QStringList captions = {QStringLiteral("项目"), QStringLiteral("规格"), QStringLiteral("材质"),
                                  QStringLiteral("数量"), QStringLiteral("单位"), QStringLiteral("单重(kg)"),
                                  QStringLiteral("总重(kg)"), QStringLiteral("备注")};
    put(book, 0, 0, wb::Value::text(kSheetName), s.title);
    book.sheet(0).addMerge({0, 0, 0, RemarkCol});
    for (int col = 0; col < captions.size(); ++col)
        put(book, 1, col, wb::Value::text(captions.at(col)), s.caption);
}

// The totals look their lines up by keys in two hidden columns, the number of the line's total
// by item ("项目1") and by designation ("规格1"), as the list grouped them. A SUMIF on the names
// themselves would read "*", "?", "~" and a leading "<", ">" or "=" in a name as a pattern or a
// comparison, and take "DN50" for "dn50"; a key is none of these, and equal only to itself in
// every spreadsheet program, none of which then has to apply a function to each line.
QString itemKey(int index)
{
    return QStringLiteral("项目%1").arg(index + 1);
}

QString designationKey(int index)
{
    return QStringLiteral("规格%1").arg(index + 1);
}

template<typename Match>
int indexOf(const std::vector<Total> &totals, Match match)
{
    return int(std::find_if(totals.begin(), totals.end(), match) - totals.begin());
}

void putKeys(wb::Workbook &book, int row, int itemIndex, int designationIndex)
{
    put(book, row, ItemKeyCol, wb::Value::text(itemKey(itemIndex)), 0);
    put(book, row, DesignationKeyCol, wb::Value::text(designationKey(designationIndex)), 0);
}

void writeLines(wb::Workbook &book, const List &list, const BookLayout &layout, const Styles &s)
{
    const Totals totals = totalsOf(list);
    for (int i = 0; i < layout.lineCount; ++i) {
        const Line &line = list[static_cast<std::size_t>(i)];
        const int row = layout.firstLineRow + i;
        put(book, row, ItemCol, wb::Value::text(line.item), s.text);
        put(book, row, DesignationCol, wb::Value::text(line.designation), s.text);
        put(book, row, MaterialCol, wb::Value::text(line.material), s.text);
        put(book, row, QuantityCol, wb::Value::number(line.quantity), s.number);
        put(book, row, UnitCol, wb::Value::text(line.unit), s.text);
        put(book, row, UnitWeightCol, wb::Value::number(line.unitWeight), s.weight);
        putFormula(book, row, TotalCol,
                   wb::addressText(row, QuantityCol) + QLatin1Char('*') + wb::addressText(row, UnitWeightCol), s.weight);
        put(book, row, RemarkCol, wb::Value::text(line.remark), s.text);
        putKeys(book, row, indexOf(totals.byItem, [&](const Total &t) { return t.item == line.item; }),
                indexOf(totals.byDesignation,
                        [&](const Total &t) { return t.item == line.item && t.designation == line.designation; }));
    }
}

// "$G$3:$G$9" for the lines' cells of one column.
QString linesRange(const BookLayout &layout, int col)
{
    const QString column = QLatin1Char('$') + wb::columnName(col) + QLatin1Char('$');
    return column + QString::number(layout.firstLineRow + 1) + QLatin1Char(':') + column
           + QString::number(layout.firstLineRow + layout.lineCount);
}

QString sumByKey(const BookLayout &layout, int row, int keyCol)
{
    return QStringLiteral("SUMIF(%1,%2,%3)")
        .arg(linesRange(layout, keyCol), wb::addressText(row, keyCol), linesRange(layout, TotalCol));
}

void writeTotals(wb::Workbook &book, const List &list, const BookLayout &layout, const Styles &s)
{
    const Totals totals = totalsOf(list);
    put(book, layout.itemTotalsRow - 1, ItemCol, wb::Value::text(QStringLiteral("按项目合计")), s.totalCaption);
    for (int i = 0; i < int(totals.byItem.size()); ++i) {
        const int row = layout.itemTotalsRow + i;
        put(book, row, ItemCol, wb::Value::text(totals.byItem[std::size_t(i)].item), s.text);
        put(book, row, ItemKeyCol, wb::Value::text(itemKey(i)), 0);
        putFormula(book, row, TotalCol, sumByKey(layout, row, ItemKeyCol), s.weight);
    }
    put(book, layout.designationTotalsRow - 1, ItemCol, wb::Value::text(QStringLiteral("按规格合计")), s.totalCaption);
    for (int i = 0; i < int(totals.byDesignation.size()); ++i) {
        const int row = layout.designationTotalsRow + i;
        const Total &total = totals.byDesignation[std::size_t(i)];
        put(book, row, ItemCol, wb::Value::text(total.item), s.text);
        put(book, row, DesignationCol, wb::Value::text(total.designation), s.text);
        put(book, row, DesignationKeyCol, wb::Value::text(designationKey(i)), 0);
        putFormula(book, row, TotalCol, sumByKey(layout, row, DesignationKeyCol), s.weight);
    }
    put(book, layout.grandTotalRow, ItemCol, wb::Value::text(QStringLiteral("总计")), s.totalCaption);
    if (layout.lineCount > 0)
        putFormula(book, layout.grandTotalRow, TotalCol, QStringLiteral("SUM(%1)").arg(linesRange(layout, TotalCol)),
                   s.totalWeight);
    else
        put(book, layout.grandTotalRow, TotalCol, wb::Value::number(0), s.totalWeight);
}

void setLayout(wb::Sheet &sheet)
{
    const double widths[] = {12, 16, 10, 9, 6, 11, 12, 20};
    for (int col = 0; col <= RemarkCol; ++col)
        sheet.setColumnWidth(col, widths[col]);
    sheet.setColumnWidth(ItemKeyCol, 10);
    sheet.setColumnWidth(DesignationKeyCol, 10);
    sheet.setColumnsHidden(ItemKeyCol, DesignationKeyCol, true);
    sheet.setRowHeight(0, 24);
    sheet.pageSetup().centerHorizontally = true;
}

} // namespace

BookLayout bookLayout(const List &list)
{
    const Totals totals = totalsOf(list);
    BookLayout layout;
    layout.lineCount = static_cast<int>(list.size());
    // One empty row after the lines and after each block of totals; each block has a caption row.
    layout.itemTotalsRow = layout.firstLineRow + layout.lineCount + 2;
    layout.designationTotalsRow = layout.itemTotalsRow + static_cast<int>(totals.byItem.size()) + 2;
    layout.grandTotalRow = layout.designationTotalsRow + static_cast<int>(totals.byDesignation.size()) + 1;
    return layout;
}

wb::Workbook buildWorkbook(const List &list)
{
    wb::Workbook book;
    book.addSheet(kSheetName);
    const BookLayout layout = bookLayout(list);
    book.beginUpdate();
    const Styles styles = addStyles(book);
    writeCaptions(book, styles);
    writeLines(book, list, layout, styles);
    writeTotals(book, list, layout, styles);
    setLayout(book.sheet(0));
    book.endUpdate();
    return book;
}

void exportList(const List &list, const QString &path, xlsout::ExcelFormat format)
{
    xlsout::exportWorkbook(buildWorkbook(list), path, format);
}

} // namespace mhbk::takeoff
