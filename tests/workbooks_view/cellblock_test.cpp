#include "workbooks/view/cellblock.h"

#include <gtest/gtest.h>

using namespace mhbk::view;

namespace {

TEST(CellBlock, ReadsTabTextAsSpreadsheetsWriteIt)
{
    const struct {
        const char *name;
        QString text;
        CellBlock block;
    } cases[] = {
        {"rows and fields", QStringLiteral("a\tb\nc\td\n"), {{"a", "b"}, {"c", "d"}}},
        {"no last line break, CRLF", QStringLiteral("a\tb\r\nc"), {{"a", "b"}, {"c"}}},
        {"empty fields kept", QStringLiteral("\t\tx\n"), {{"", "", "x"}}},
        {"quoted tab, line break and quote", QStringLiteral("\"1\t2\"\t\"a\nb\"\t\"say \"\"hi\"\"\"\n"),
         {{"1\t2", "a\nb", "say \"hi\""}}},
        {"a quote inside a field is text", QStringLiteral("5\"\t6\n"), {{"5\"", "6"}}},
        {"empty line is an empty row", QStringLiteral("a\n\nb\n"), {{"a"}, {""}, {"b"}}},
        {"nothing", QString(), {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(blockFromTabText(c.text), c.block) << c.name;
}

TEST(CellBlock, TabTextRoundTrips)
{
    const CellBlock block{{"名称", "a\tb", "x\"y"}, {"line\nbreak", "", "3.5"}};
    EXPECT_EQ(blockFromTabText(blockToTabText(block)), block);
    // HTML folds a tab into a blank, as browsers show it; line breaks travel as <br>.
    CellBlock folded = block;
    folded[0][1] = QStringLiteral("a b");
    EXPECT_EQ(blockFromHtml(blockToHtml(block)), folded);
}

TEST(CellBlock, ReadsTheFirstHtmlTable)
{
    const struct {
        const char *name;
        QString html;
        CellBlock block;
    } cases[] = {
        {"office fragment",
         QStringLiteral("<html><head><style>td{}</style></head><body><!--StartFragment--><TABLE border=0>"
                        "<TR height=19><TD class=xl65 align=right>1,234.5</TD><TD>钢&amp;管</TD></TR>\n"
                        "<TR><TH>a <b>b</b></TH><TD>x<br>y</TD></TR></TABLE><!--EndFragment--></body></html>"),
         {{"1,234.5", "钢&管"}, {"a b", "x\ny"}}},
        {"cells without end tags", QStringLiteral("<table><tr><td>1<td>2<tr><td>3</table>"), {{"1", "2"}, {"3"}}},
        {"colspan and rowspan keep the grid",
         QStringLiteral("<table><tr><td rowspan=\"2\">a</td><td colspan='2'>b</td></tr><tr><td>c</td><td>d</td></tr></table>"),
         {{"a", "b", ""}, {"", "c", "d"}}},
        {"entities", QStringLiteral("<table><tr><td>&lt;1&gt; &#20013;&#x6587; &quot;&nbsp;</td></tr></table>"),
         {{"<1> 中文 \""}}},
        {"no table", QStringLiteral("<p>just text</p>"), {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(blockFromHtml(c.html), c.block) << c.name;
}

} // namespace
