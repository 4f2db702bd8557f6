#include "enginetestutil.h"
#include "workbooks/engine/workbookjson.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cmath>
#include <functional>

namespace mhbk::wb::test {
namespace {

const char *kAuthored = R"j({
  "format": "mhbk-workbook",
  "version": 1,
  "defaultStyle": { "size": 10 },
  "styles": {
    "title": { "bold": true, "size": 16, "hAlign": "center" },
    "grid": { "border": "thin" },
    "head": { "fill": "#DDEBF7", "borderBottom": { "style": "medium", "color": "#FF0000" } },
    "input": { "locked": false },
    "kg": { "numberFormat": "0.00" }
  },
  "sheets": [
    {
      "name": "计算",
      "columns": { "A": 6, "B:C": 12.5 },
      "rows": { "1": 30 },
      "hiddenColumns": ["H:K"],
      "hiddenRows": ["40"],
      "merges": ["A1:C1"],
      "protected": true,
      "gridlines": false,
      "page": { "landscape": true, "margins": [0.5, 0.5, 1, 1] },
      "cells": {
        "A1": "保温计算",
        "A3": 57, "B3": "40", "C3": "=ROUND(A3*B3/1000,4)",
        "D3": { "input": "'007", "style": "input" },
        "E3": true, "F3": "=数据!A1*2"
      },
      "blocks": [ { "at": "A5", "rows": [[1, 2], [null, "=A5+B5"]] } ],
      "format": [
        { "range": "A1:C1", "style": "title" },
        { "range": ["A3:C6"], "style": "grid" },
        { "range": "A3:C3", "style": ["head", { "italic": true }] },
        { "range": "A3:B3", "style": "input" },
        { "range": "C3", "style": "kg" }
      ]
    },
    { "name": "数据", "cells": { "A1": 21 } }
  ]
})j";

Workbook load(const QByteArray &json)
{
    LoadError error;
    auto book = loadWorkbook(json, &error);
    EXPECT_TRUE(book.has_value()) << error.message.toStdString();
    return book ? std::move(*book) : Workbook();
}

TEST(StoredFormatTest, AuthoredWorkbookLoadsEverything)
{
    Workbook b = load(kAuthored);
    ASSERT_EQ(b.sheetCount(), 2);
    const Sheet &s = b.sheet(0);
    EXPECT_EQ(s.name(), QStringLiteral("计算"));
    EXPECT_EQ(b.displayText(0, 2, 2), QStringLiteral("2.28"));
    EXPECT_EQ(show(b.value(0, 2, 3)), QStringLiteral("\"007\""));
    EXPECT_EQ(show(b.value(0, 2, 4)), QStringLiteral("TRUE"));
    EXPECT_EQ(show(b.value(0, 2, 5)), QStringLiteral("42"));
    EXPECT_EQ(show(b.value(0, 5, 1)), QStringLiteral("3"));
    EXPECT_TRUE(b.value(0, 5, 0).isEmpty());
    EXPECT_DOUBLE_EQ(s.columnWidth(0), 6);
    EXPECT_DOUBLE_EQ(s.columnWidth(2), 12.5);
    EXPECT_DOUBLE_EQ(s.columnWidth(3), 8.43);
    EXPECT_DOUBLE_EQ(s.rowHeight(0), 30);
    EXPECT_TRUE(s.isColumnHidden(7) && s.isColumnHidden(10) && !s.isColumnHidden(11) && !s.isColumnHidden(6));
    EXPECT_TRUE(s.isRowHidden(39));
    ASSERT_EQ(s.merges().size(), 1u);
    EXPECT_EQ(s.merges()[0], (CellRange{0, 0, 0, 2}));
    EXPECT_TRUE(s.isProtected());
    EXPECT_FALSE(s.showGridlines());
    EXPECT_TRUE(s.pageSetup().landscape);
    EXPECT_DOUBLE_EQ(s.pageSetup().marginTop, 1);

    const CellStyle &title = b.cellStyle(0, 0, 1);
    EXPECT_TRUE(title.font.bold);
    EXPECT_EQ(title.font.sizePt, 16);
    EXPECT_EQ(title.hAlign, HAlign::Center);
    EXPECT_EQ(title.left.style, LineStyle::None);
    // Later format entries add to earlier ones.
    const CellStyle &head = b.cellStyle(0, 2, 0);
    EXPECT_EQ(head.left.style, LineStyle::Thin);
    EXPECT_EQ(head.bottom.style, LineStyle::Medium);
    EXPECT_EQ(head.bottom.colour, 0xFF0000u);
    EXPECT_TRUE(head.filled);
    EXPECT_EQ(head.fill, 0xDDEBF7u);
    EXPECT_TRUE(head.font.italic);
    EXPECT_FALSE(head.locked);
    EXPECT_EQ(head.font.sizePt, 10);   // from the default style
    EXPECT_TRUE(b.cellStyle(0, 2, 2).locked);
    EXPECT_EQ(b.cellStyle(0, 2, 2).numberFormat, QStringLiteral("0.00"));
    EXPECT_FALSE(b.isEditable(0, 2, 2));
    EXPECT_TRUE(b.isEditable(0, 2, 1));
}

void expectSameBook(const Workbook &a, const Workbook &b)
{
    ASSERT_EQ(a.sheetCount(), b.sheetCount());
    for (int i = 0; i < a.sheetCount(); ++i) {
        const Sheet &x = a.sheet(i), &y = b.sheet(i);
        EXPECT_EQ(x.name(), y.name());
        ASSERT_EQ(x.cells(), y.cells());
        for (const CellAddress &c : x.cells()) {
            EXPECT_EQ(x.input(c.row, c.col), y.input(c.row, c.col));
            EXPECT_EQ(x.value(c.row, c.col), y.value(c.row, c.col));
            EXPECT_EQ(a.cellStyle(i, c.row, c.col), b.cellStyle(i, c.row, c.col));
        }
        EXPECT_EQ(x.columnWidths(), y.columnWidths());
        EXPECT_EQ(x.rowHeights(), y.rowHeights());
        EXPECT_EQ(x.hiddenColumns(), y.hiddenColumns());
        EXPECT_EQ(x.hiddenRows(), y.hiddenRows());
        EXPECT_EQ(x.merges(), y.merges());
        EXPECT_EQ(x.isProtected(), y.isProtected());
        EXPECT_EQ(x.showGridlines(), y.showGridlines());
        EXPECT_EQ(x.pageSetup(), y.pageSetup());
        EXPECT_EQ(x.defaultColumnWidth(), y.defaultColumnWidth());
    }
    EXPECT_EQ(a.style(0), b.style(0));
    EXPECT_EQ(a.activeSheet(), b.activeSheet());
}

TEST(StoredFormatTest, SaveAndLoadRoundTrip)
{
    Workbook original = load(kAuthored);
    // Edits and values that need care when written: text looking like numbers or formulas,
    // numbers that are not short decimals, errors.
    original.setInput(0, 10, 0, QStringLiteral("'=not a formula"));
    original.setInput(0, 10, 1, QStringLiteral("'12"));
    original.setValue(0, 10, 2, Value::number(0.1 + 0.2));
    original.setInput(0, 10, 3, QStringLiteral("#N/A"));
    original.setInput(0, 10, 4, QStringLiteral(" padded "));
    original.setActiveSheet(1);
    Workbook again = load(saveWorkbook(original));
    expectSameBook(original, again);
}

// A long table is saved as a few blocks and style rectangles, and reads back the same; gaps
// wider than a few cells, rows starting in other columns and styled empty cells included.
TEST(StoredFormatTest, TablesAreSavedAsBlocksAndStyleRectangles)
{
    Workbook original;
    original.addSheet(QStringLiteral("账"));
    CellStyle money;
    money.numberFormat = QStringLiteral("0.00");
    CellStyle bold;
    bold.font.bold = true;
    const int moneyStyle = original.addStyle(money), boldStyle = original.addStyle(bold);
    original.beginUpdate();
    for (int r = 0; r < 300; ++r) {
        original.setInput(0, r, 0, QString::number(r + 1));
        original.setInput(0, r, 1, QStringLiteral("钢管%1").arg(r));
        original.setInput(0, r, 2, QStringLiteral("=A%1*2").arg(r + 1));
        original.sheet(0).setStyleIndex(CellRange{r, 1, r, 2}, moneyStyle);
    }
    original.setInput(0, 300, 1, QStringLiteral("合计"));
    original.setInput(0, 300, 5, QStringLiteral("=SUM(C1:C300)"));      // a gap of three: same block
    original.setInput(0, 300, 12, QStringLiteral("'=text"));            // a gap of six: a block of its own
    original.setInput(0, 301, 3, QStringLiteral("TRUE"));               // starts in another column
    original.sheet(0).setStyleIndex(CellRange{302, 0, 302, 4}, boldStyle);   // styled, empty
    original.endUpdate();

    const QByteArray saved = saveWorkbook(original);
    const QJsonObject sheet = QJsonDocument::fromJson(saved).object()[QStringLiteral("sheets")].toArray()[0].toObject();
    EXPECT_FALSE(sheet.contains(QStringLiteral("cells")));
    QStringList at;
    for (const QJsonValue &b : sheet[QStringLiteral("blocks")].toArray())
        at << b.toObject()[QStringLiteral("at")].toString();
    EXPECT_EQ(at, QStringList({QStringLiteral("A1"), QStringLiteral("B301"), QStringLiteral("M301"), QStringLiteral("D302")}));
    QStringList ranges;
    for (const QJsonValue &f : sheet[QStringLiteral("format")].toArray())
        ranges << f.toObject()[QStringLiteral("range")].toString();
    EXPECT_EQ(ranges, QStringList({QStringLiteral("B1:C300"), QStringLiteral("A303:E303")}));
    EXPECT_FALSE(saved.contains('\n'));

    Workbook again = load(saved);
    expectSameBook(original, again);
    EXPECT_EQ(again.displayText(0, 300, 5), QStringLiteral("90300"));
}

TEST(StoredFormatTest, FileRoundTripAndMissingFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tmp"));
    Workbook original = load(kAuthored);
    QString error;
    ASSERT_TRUE(saveWorkbookFile(original, path, &error)) << error.toStdString();
    LoadError loadError;
    auto again = loadWorkbookFile(path, &loadError);
    ASSERT_TRUE(again.has_value()) << loadError.message.toStdString();
    expectSameBook(original, *again);
    EXPECT_FALSE(loadWorkbookFile(dir.filePath(QStringLiteral("nope")), &loadError).has_value());
    EXPECT_TRUE(loadError.message.contains(QStringLiteral("nope")));
    EXPECT_FALSE(saveWorkbookFile(original, dir.filePath(QStringLiteral("no/such/dir/x")), &error));
}

TEST(StoredFormatTest, MalformedInputSaysWhereItFailed)
{
    struct Case
    {
        const char *json;
        const char *where;   // must appear in the message
    };
    const Case cases[] = {
        {"", "第 1 行第 1 列"},
        {"{\n  \"format\": \"mhbk-workbook\",\n  \"version\": 1,\n  \"sheets\": [ {\"name\": \"a\" } \n", "第 5 行"},
        {"[1,2]", "JSON 对象"},
        {R"j({"format": "other", "version": 1, "sheets": [{"name": "a"}]})j", "format"},
        {R"j({"format": "mhbk-workbook", "version": 9, "sheets": [{"name": "a"}]})j", "版本 9"},
        {R"j({"format": "mhbk-workbook", "version": 1, "sheets": []})j", "sheets"},
        {R"j({"format": "mhbk-workbook", "version": 1, "sheets": [{"name": "a"}, {"name": "A"}]})j", "sheets[1].name"},
        {R"j({"format": "mhbk-workbook", "version": 1, "sheets": [{"name": "a", "cels": {}}]})j", "sheets[0].cels"},
        {R"j({"format": "mhbk-workbook", "version": 1, "sheets": [{"name": "a", "cells": {"A0": 1}}]})j", "sheets[0].cells.A0"},
        {R"j({"format": "mhbk-workbook", "version": 1, "sheets": [{"name": "a", "cells": {"B2": "=SUM(1,"}}]})j", "sheets[0].cells.B2"},
        {R"j({"format": "mhbk-workbook", "version": 1, "sheets": [{"name": "a", "cells": {"B2": [1]}}]})j", "sheets[0].cells.B2"},
        {R"j({"format": "mhbk-workbook", "version": 1, "sheets": [{"name": "a", "cells": {"B2": {"input": "=1+", "style": {"bold": true}}}}]})j", "sheets[0].cells.B2.input: 公式"},
        {R"j({"format": "mhbk-workbook", "version": 1, "sheets": [{"name": "a", "cells": {"B2": {"input": 1, "style": {"bold": 2}}}}]})j", "sheets[0].cells.B2.style.bold"},
        {R"j({"format": "mhbk-workbook", "version": 1, "sheets": [{"name": "a", "cells": {"B2": {"input": 1, "colour": 2}}}]})j", "sheets[0].cells.B2.colour: 未知的键"},
        {R"j({"format": "mhbk-workbook", "version": 1, "sheets": [{"name": "a", "blocks": [{"at": "A1", "rows": [[1, 2], [3, "=SUM(1,"]]}]}]})j", "sheets[0].blocks[0].rows[1][1]: 公式"},
        {R"j({"format": "mhbk-workbook", "version": 1, "sheets": [{"name": "a", "blocks": [{"at": "A1", "rows": [[1], 2]}]}]})j", "sheets[0].blocks[0].rows[1]: 应为数组"},
        {R"j({"format": "mhbk-workbook", "version": 1, "sheets": [{"name": "a", "blocks": [{"at": "XFD1", "rows": [[1, 2]]}]}]})j", "sheets[0].blocks[0].rows[0][1]: 单元格超出"},
        {R"j({"format": "mhbk-workbook", "version": 1, "sheets": [{"name": "a", "format": [{"range": "A1", "style": "nope"}]}]})j", "sheets[0].format[0].style"},
        {R"j({"format": "mhbk-workbook", "version": 1, "sheets": [{"name": "a", "format": [{"range": "A1:", "style": {"bold": true}}]}]})j", "sheets[0].format[0].range"},
        {R"j({"format": "mhbk-workbook", "version": 1, "sheets": [{"name": "a", "format": [{"range": "A1:Z100000", "style": {"bold": true}}]}]})j", "区域过大"},
        {R"j({"format": "mhbk-workbook", "version": 1, "styles": {"x": {"bold": "yes"}}, "sheets": [{"name": "a"}]})j", "styles.x.bold"},
        {R"j({"format": "mhbk-workbook", "version": 1, "styles": {"x": {"fill": "red"}}, "sheets": [{"name": "a"}]})j", "styles.x.fill"},
        {R"j({"format": "mhbk-workbook", "version": 1, "sheets": [{"name": "a", "columns": {"A": -1}}]})j", "sheets[0].columns.A"},
        {R"j({"format": "mhbk-workbook", "version": 1, "sheets": [{"name": "a", "merges": ["Q"]}]})j", ""},
        {R"j({"format": "mhbk-workbook", "version": 1, "sheets": [{"name": "a", "page": {"paper": "B5"}}]})j", "sheets[0].page.paper"},
        {R"j({"format": "mhbk-workbook", "version": 1, "activeSheet": 3, "sheets": [{"name": "a"}]})j", "activeSheet"},
        // Of several unknown keys the first in key order is named; cells are read in key order.
        {R"j({"zzz": 1, "aaa": 2, "format": "mhbk-workbook", "version": 1, "sheets": [{"name": "a"}]})j", "有错：aaa: 未知的键"},
        {R"j({"format": "mhbk-workbook", "version": 1, "sheets": [{"name": "a", "cells": {"B2": "=SUM(", "A10": "=1+"}}]})j", "cells.A10: 公式"},
        // Syntax errors say where in characters, and why.
        {R"j({"format": "mhbk-workbook",})j", "第 1 行第 28 列格式错误：逗号后缺少键名"},
        {R"j({"名": "中文" x})j", "第 1 行第 12 列格式错误：应为逗号或 }"},
        {"{\"format\": \"mhbk-workbook\",\n \"version\": 1,\n \"sheets\": [{\"name\": \"a\tb\"}]}", "第 3 行第 24 列格式错误：字符串里有未转义的控制字符"},
        {"{\"format\": \"mhbk-workbook\", \"version\": 1e999}", "数值超出范围"},
        {"1", "JSON 对象"},
        {"\xEF\xBB\xBF{,}", "第 1 行第 2 列格式错误：应为带引号的键名"},   // the byte order mark is no column
    };
    for (const Case &c : cases) {
        LoadError error;
        const auto book = loadWorkbook(QByteArray(c.json), &error);
        if (QByteArray(c.where).isEmpty())
            continue;   // loads or not, it must simply not crash
        EXPECT_FALSE(book.has_value()) << c.json;
        EXPECT_TRUE(error.message.contains(QString::fromUtf8(c.where)))
            << c.json << "\n -> " << error.message.toStdString();
    }
}

// How JSON's loose ends read: repeated keys (the last wins), overlapping keys (applied in key
// order), signs, marks and code points that text does not usually hold.
TEST(StoredFormatTest, RepeatedKeysOrderAndUnusualText)
{
    struct Case
    {
        const char *sheet;   // members of the only sheet besides its name
        std::function<void(const Workbook &)> check;
    };
    const Case cases[] = {
        {R"j("cells": {"A1": 1, "A1": 2})j", [](const Workbook &b) { EXPECT_EQ(show(b.value(0, 0, 0)), QStringLiteral("2")); }},
        {R"j("columns": {"B": 10, "A:C": 5, "D": 1, "D": 2})j",
         [](const Workbook &b) {
             const Sheet &s = b.sheet(0);
             EXPECT_EQ(std::vector<double>({s.columnWidth(0), s.columnWidth(1), s.columnWidth(2), s.columnWidth(3)}),
                       std::vector<double>({5, 10, 5, 2}));
         }},
        {R"j("cells": {"A1": 1}, "format": [{"range": "A1", "style": {"borderLeft": "medium", "border": "thin"}}])j",
         [](const Workbook &b) {
             EXPECT_EQ(b.cellStyle(0, 0, 0).left.style, LineStyle::Medium);
             EXPECT_EQ(b.cellStyle(0, 0, 0).top.style, LineStyle::Thin);
         }},
        {R"j("cells": {"A1": -0, "A2": -0.0, "A3": "=A1"})j",
         [](const Workbook &b) {
             EXPECT_FALSE(std::signbit(b.value(0, 0, 0).asNumber()));
             EXPECT_EQ(b.displayText(0, 1, 0), QStringLiteral("0"));
             EXPECT_EQ(b.displayText(0, 2, 0), QStringLiteral("0"));
         }},
        {R"j("cells": {"A1": "x\ud800y", "A2": "\ud83d\ude00", "\u0041\u0033": "\u00e9"})j",
         [](const Workbook &b) {
             EXPECT_EQ(b.sheet(0).input(0, 0), QStringLiteral("x") + QChar(0xD800) + u'y');
             EXPECT_EQ(b.sheet(0).input(1, 0), QString::fromUtf8("\xF0\x9F\x98\x80"));
             EXPECT_EQ(b.sheet(0).input(2, 0), QStringLiteral("é"));
         }},
    };
    for (const Case &c : cases) {
        const QByteArray json = QByteArray(R"j({"format": "mhbk-workbook", "version": 9, "version": 1, "sheets": [{"name": "a", )j")
                                + c.sheet + "}]}";
        for (const QByteArray &text : {json, "\xEF\xBB\xBF" + json}) {
            LoadError error;
            const auto book = loadWorkbook(text, &error);
            ASSERT_TRUE(book.has_value()) << c.sheet << " -> " << error.message.toStdString();
            c.check(*book);
            // What was read saves and reads back the same.
            expectSameBook(*book, load(saveWorkbook(*book)));
        }
    }
}

TEST(StoredFormatTest, TheFormatGuidesExampleLoads)
{
    QFile guide(QStringLiteral(MHBK_WORKBOOK_FORMAT_GUIDE));
    ASSERT_TRUE(guide.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(guide.readAll());
    const auto match = QRegularExpression(QStringLiteral("```json\\n(.*?)```"),
                                          QRegularExpression::DotMatchesEverythingOption).match(text);
    ASSERT_TRUE(match.hasMatch());
    Workbook b = load(match.captured(1).toUtf8());
    ASSERT_EQ(b.sheetCount(), 1);
    EXPECT_EQ(show(b.value(0, 3, 2)), QStringLiteral("0.0126"));
    EXPECT_EQ(b.displayText(0, 3, 2), QStringLiteral("0.01"));   // through the "kg" style's "0.00"
    EXPECT_EQ(show(b.value(0, 11, 1)), QStringLiteral("26.9"));
    EXPECT_TRUE(b.sheet(0).isColumnHidden(12));
}

TEST(StoredFormatTest, EveryTruncationOfAGoodFileFailsCleanly)
{
    const QByteArray full(kAuthored);
    for (qsizetype n = 0; n < full.size() - 1; n += 7) {
        LoadError error;
        EXPECT_FALSE(loadWorkbook(full.left(n), &error).has_value()) << n;
        EXPECT_FALSE(error.message.isEmpty());
    }
}

} // namespace
} // namespace mhbk::wb::test
