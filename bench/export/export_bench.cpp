// Our side of the export benchmark.
//   export_bench make FILE.json ROWS   writes a large material ledger in the stored format
//   export_bench export FILE.json OUT  loads it (recalculating every formula) and writes OUT as
//                                      .xls or .xlsx, by OUT's suffix
// run_export.sh times the second command as a whole process against LibreOffice converting
// the same workbook.
#include "workbooks/engine/workbookjson.h"
#include "workbooks/export/workbookexport.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <exception>

namespace {

using mhbk::wb::CellStyle;
using mhbk::wb::LineStyle;

CellStyle bordered(const QString &format, bool bold = false)
{
    CellStyle style;
    style.left.style = style.right.style = style.top.style = style.bottom.style = LineStyle::Thin;
    style.numberFormat = format;
    style.font.bold = bold;
    return style;
}

// A ledger as the workbook pages keep one: item, size, quantity, loss rate, quantity with
// loss, unit price, amount, and totals, one row per material.
mhbk::wb::Workbook ledger(int rows)
{
    mhbk::wb::Workbook book;
    book.addSheet(QStringLiteral("工程用料总帐"));
    const int heading = book.addStyle(bordered(QStringLiteral("General"), true));
    const int text = book.addStyle(bordered(QStringLiteral("General")));
    const int money = book.addStyle(bordered(QStringLiteral("#,##0.00")));
    const int rate = book.addStyle(bordered(QStringLiteral("0%")));
    const int quantity = book.addStyle(bordered(QStringLiteral("0.000")));
    const char *headings[] = {"序号", "材料名称", "规格", "数量", "损耗率", "含损耗数量", "单价(元)", "金额(元)"};
    const int styles[] = {text, text, text, quantity, rate, quantity, money, money};
    book.beginUpdate();
    for (int c = 0; c < 8; ++c) {
        book.setInput(0, 0, c, QString::fromUtf8(headings[c]));
        book.sheet(0).setStyleIndex(0, c, heading);
        book.sheet(0).setColumnWidth(c, c == 1 ? 16 : 10);
    }
    for (int r = 1; r <= rows; ++r) {
        const QString n = QString::number(r + 1);
        book.setInput(0, r, 0, QString::number(r));
        book.setInput(0, r, 1, QStringLiteral("焊接钢管%1").arg(r % 17));
        book.setInput(0, r, 2, QStringLiteral("DN%1").arg(15 + 5 * (r % 20)));
        book.setInput(0, r, 3, QString::number(10.5 + (r % 97) * 1.25));
        book.setInput(0, r, 4, QStringLiteral("%1%").arg(1 + r % 5));
        book.setInput(0, r, 5, QStringLiteral("=ROUND(D%1*(1+E%1),3)").arg(n));
        book.setInput(0, r, 6, QString::number(3.2 + (r % 41) * 0.35));
        book.setInput(0, r, 7, QStringLiteral("=ROUND(F%1*G%1,2)").arg(n));
        for (int c = 0; c < 8; ++c)
            book.sheet(0).setStyleIndex(r, c, styles[c]);
    }
    const QString last = QString::number(rows + 1);
    book.setInput(0, rows + 1, 1, QStringLiteral("合计"));
    book.setInput(0, rows + 1, 5, QStringLiteral("=SUM(F2:F%1)").arg(last));
    book.setInput(0, rows + 1, 7, QStringLiteral("=SUM(H2:H%1)").arg(last));
    book.endUpdate();
    return book;
}

int make(const QString &path, int rows)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return 3;
    file.write(mhbk::wb::saveWorkbook(ledger(rows)));
    return 0;
}

int exportFile(const QString &in, const QString &out)
{
    mhbk::wb::LoadError error;
    const auto book = mhbk::wb::loadWorkbookFile(in, &error);
    if (!book) {
        std::fprintf(stderr, "%s\n", qPrintable(error.message));
        return 4;
    }
    const bool xlsx = out.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive);
    mhbk::xlsout::exportWorkbook(*book, out, xlsx ? mhbk::xlsout::ExcelFormat::Xlsx : mhbk::xlsout::ExcelFormat::Xls);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    try {
        if (args.size() == 4 && args[1] == QLatin1String("make"))
            return make(args[2], args[3].toInt());
        if (args.size() == 4 && args[1] == QLatin1String("export"))
            return exportFile(args[2], args[3]);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    std::fprintf(stderr, "usage: export_bench make FILE.json ROWS | export FILE.json OUT.xls|OUT.xlsx\n");
    return 2;
}
