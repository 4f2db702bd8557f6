#include "viewfixture.h"

#include "workbooks/engine/workbookjson.h"

#include <QApplication>
#include <QTest>

namespace mhbk::test {

wb::Workbook priceList()
{
    wb::Workbook book;
    const int s = book.addSheet(QStringLiteral("价格"));
    const QStringList rows[] = {
        {QStringLiteral("材料价格表")},
        {QStringLiteral("名称"), QStringLiteral("单价"), QStringLiteral("数量"), QStringLiteral("金额")},
        {QStringLiteral("焊接钢管"), QStringLiteral("12.5"), QStringLiteral("4"), QStringLiteral("=B3*C3")},
        {QStringLiteral("镀锌钢管"), QStringLiteral("20"), QStringLiteral("2"), QStringLiteral("=B4*C4")},
        {QStringLiteral("合计"), QString(), QString(), QStringLiteral("=SUM(D3:D4)")},
    };
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            book.setInput(s, r, c, rows[r][c]);
    wb::Sheet &sheet = book.sheet(s);
    sheet.addMerge({0, 0, 0, 3});
    wb::CellStyle title;
    title.font.bold = true;
    title.font.sizePt = 14;
    title.hAlign = wb::HAlign::Center;
    sheet.setStyleIndex(0, 0, book.addStyle(title));
    wb::CellStyle input;
    input.locked = false;
    input.filled = true;
    input.fill = 0xFFF2CC;
    input.left = input.right = input.top = input.bottom = wb::Border{wb::LineStyle::Thin, 0};
    sheet.setStyleIndex({2, 1, 3, 2}, book.addStyle(input));
    wb::CellStyle money;
    money.numberFormat = QStringLiteral("0.00");
    money.bottom = wb::Border{wb::LineStyle::Double, 0};
    sheet.setStyleIndex({2, 3, 4, 3}, book.addStyle(money));
    sheet.setColumnWidth(0, 12);
    sheet.setRowHeight(0, 24);
    sheet.setProtected(true);
    return book;
}

std::unique_ptr<view::SpreadsheetView> viewOf(const wb::Workbook &book, int width, int height)
{
    auto view = std::make_unique<view::SpreadsheetView>();
    view->loadFromData(wb::saveWorkbook(book));
    view->resize(width, height);
    view->show();
    view->activateWindow();
    view->setFocus();
    QApplication::processEvents();
    return view;
}

void press(view::SpreadsheetView &view, int key, Qt::KeyboardModifiers mods)
{
    QWidget *target = QApplication::focusWidget();
    if (!target || (target != &view && !view.isAncestorOf(target)))
        target = &view;
    QTest::keyClick(target, Qt::Key(key), mods);
}

void typeText(view::SpreadsheetView &view, const QString &text)
{
    for (QChar c : text) {
        QWidget *target = QApplication::focusWidget();
        if (!target || (target != &view && !view.isAncestorOf(target)))
            target = &view;
        QTest::keyClick(target, c.toLatin1());
    }
}

} // namespace mhbk::test
