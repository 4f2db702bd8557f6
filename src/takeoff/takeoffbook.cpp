#include "takeoff/takeoffbook.h"

#include "workbooks/engine/address.h"

#include <QStringList>

namespace mhbk::takeoff {

namespace {

const QString kSheetName = QStringLiteral("工程量清单");
// Joins item and designation in the hidden key column that the designation totals look up;
// a character no designation uses.
const QString kKeySeparator = QStringLiteral("｜");

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

QString keyFormula(int row)
{
    return QStringLiteral("%1&\"%2\"&%3").arg(wb::addressText(row, ItemCol), kKeySeparator, wb::addressText(row, DesignationCol));
}

void writeLines(wb::Workbook &book, const List &list, const BookLayout &layout, const Styles &s)
{
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
        putFormula(book, row, KeyCol, keyFormula(row), 0);
    }
}

// "$G$3:$G$9" for the lines' cells of one column.
QString linesRange(const BookLayout &layout, int col)
{
    const QString column = QLatin1Char('$') + wb::columnName(col) + QLatin1Char('$');
    return column + QString::number(layout.firstLineRow + 1) + QLatin1Char(':') + column
           + QString::number(layout.firstLineRow + layout.lineCount);
}

void writeTotals(wb::Workbook &book, const List &list, const BookLayout &layout, const Styles &s)
{
    const Totals totals = totalsOf(list);
    put(book, layout.itemTotalsRow - 1, ItemCol, wb::Value::text(QStringLiteral("按项目合计")), s.totalCaption);
    int row = layout.itemTotalsRow;
    for (const Total &total : totals.byItem) {
        put(book, row, ItemCol, wb::Value::text(total.item), s.text);
        putFormula(book, row, TotalCol,
                   QStringLiteral("SUMIF(%1,%2,%3)")
                       .arg(linesRange(layout, ItemCol), wb::addressText(row, ItemCol), linesRange(layout, TotalCol)),
                   s.weight);
        ++row;
    }
    put(book, layout.designationTotalsRow - 1, ItemCol, wb::Value::text(QStringLiteral("按规格合计")), s.totalCaption);
    row = layout.designationTotalsRow;
    for (const Total &total : totals.byDesignation) {
        put(book, row, ItemCol, wb::Value::text(total.item), s.text);
        put(book, row, DesignationCol, wb::Value::text(total.designation), s.text);
        putFormula(book, row, KeyCol, keyFormula(row), 0);
        putFormula(book, row, TotalCol,
                   QStringLiteral("SUMIF(%1,%2,%3)")
                       .arg(linesRange(layout, KeyCol), wb::addressText(row, KeyCol), linesRange(layout, TotalCol)),
                   s.weight);
        ++row;
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
    sheet.setColumnWidth(KeyCol, 20);
    sheet.setColumnsHidden(KeyCol, KeyCol, true);
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
