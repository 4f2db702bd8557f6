#include "samplebook.h"

#include <QJsonArray>
#include <gtest/gtest.h>

namespace mhbk::test {

using namespace xlsout;

void FormulaParses::give(Book &book)
{
    const auto sheetIndex = [&book](const QString &name) {
        for (std::size_t i = 0; i < book.sheets.size(); ++i)
            if (book.sheets[i].name.compare(name, Qt::CaseInsensitive) == 0)
                return int(i);
        return -1;
    };
    for (std::size_t s = 0; s < book.sheets.size(); ++s) {
        for (Cell &c : book.sheets[s].cells) {
            if (c.formula.isEmpty())
                continue;
            wb::ParsedFormula parsed = wb::parseFormula(QStringView(c.formula).mid(1), int(s), sheetIndex);
            if (!parsed.tree) {
                ADD_FAILURE() << "the sample formula " << c.formula.toStdString() << " does not parse";
                continue;
            }
            c.parsed = &parsed.tree->root();
            c.parsedRowOffset = 0;
            m_trees.push_back(std::move(parsed.tree));
        }
    }
}

Book sampleBook(FormulaParses &parses)
{
    Book book;
    Style title;
    title.bold = true;
    title.fontSize = 14;
    title.halign = HAlign::Center;
    Style money;
    money.numberFormat = QStringLiteral("#,##0.00");
    money.left = {Line::Thin, std::nullopt};
    money.right = {Line::Medium, std::nullopt};
    money.top = {Line::Thick, 0xFF0000};
    money.bottom = {Line::Double, std::nullopt};
    Style result;
    result.numberFormat = QStringLiteral("0.0000");
    result.fill = 0xFFFF00;
    result.italic = true;
    Style input;
    input.locked = false;
    input.wrap = true;
    input.fontColor = 0x123456; // not in the standard palette
    book.styles = {Style{}, title, money, result, input};

    Sheet s;
    s.name = QStringLiteral("测算表");
    s.cells = {
        {0, 0, Value::ofText(QStringLiteral("焊接钢管价格换算")), {}, 1},
        {0, 1, Value{}, {}, 1},
        {1, 0, Value::ofText(QStringLiteral("单价")), {}, 0},
        {1, 1, Value::ofNumber(1234.5678), {}, 2},
        {1, 3, Value::ofNumber(2469.1356), QStringLiteral("=B2*2"), 3},
        {2, 0, Value::ofBoolean(true), {}, 0},
        {2, 1, Value::ofError(ErrorCode::Div0), QStringLiteral("=1/0"), 0},
        {2, 3, Value::ofText(QStringLiteral("单价元")), QStringLiteral("=A2&\"元\""), 0},
        {3, 3, Value::ofText(QStringLiteral("Ω é 𠀀 输入")), {}, 4},
        {4, 0, Value::ofError(ErrorCode::NA), {}, 0},
    };
    s.merges = {{0, 0, 0, 2}};
    s.columns = {{0, 12.5, false}, {1, 20.0, false}, {2, 8.43, true}, {3, 15.0, false}};
    s.rows = {{0, 30.0, false}, {5, std::nullopt, true}};
    s.protect = true;
    Sheet second;
    second.name = QStringLiteral("Sheet2");
    second.cells = {{0, 0, Value::ofNumber(-0.125), {}, 0}};
    book.sheets = {s, second};
    parses.give(book);
    return book;
}

QJsonObject sheetOf(const QJsonObject &summary, int sheet)
{
    return summary.value(QStringLiteral("sheets")).toArray().at(sheet).toObject();
}

static QString key(int row, int col) { return QStringLiteral("%1,%2").arg(row).arg(col); }

QJsonObject cellOf(const QJsonObject &summary, int sheet, int row, int col)
{
    return sheetOf(summary, sheet).value(QStringLiteral("cells")).toObject().value(key(row, col)).toObject();
}

QJsonObject styleOf(const QJsonObject &summary, int sheet, int row, int col)
{
    return sheetOf(summary, sheet).value(QStringLiteral("styles")).toObject().value(key(row, col)).toObject();
}

} // namespace mhbk::test
