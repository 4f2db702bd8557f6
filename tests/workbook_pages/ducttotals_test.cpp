// The summary block of the duct pages from the texts of the input rows alone: which rows count,
// how they are grouped and summed, the order of the lines and what is refused.

#include "common/errors.h"
#include "workbooks/pages/ducttotals.h"

#include <gtest/gtest.h>
#include <ostream>

namespace mhbk::workbooks {

void PrintTo(const DuctSummaryLine &line, std::ostream *out)
{
    *out << '{' << line.quota.toStdString() << ", " << line.total.toStdString() << ", " << line.thickness.toStdString()
         << '}';
}

namespace {

using Rows = std::vector<DuctRowTexts>;
using Lines = std::vector<DuctSummaryLine>;

DuctRowTexts row(const char *thickness, const char *quota, const char *quantity)
{
    return {QString::fromUtf8(thickness), QString::fromUtf8(quota), QString::fromUtf8(quantity)};
}

DuctSummaryLine line(const char *quota, const char *total, const char *thickness)
{
    return {QString::fromUtf8(quota), QString::fromUtf8(total), QString::fromUtf8(thickness)};
}

TEST(DuctTotals, GroupsSumsAndOrdersTheCountedRows)
{
    const struct {
        const char *what;
        Rows rows;
        Lines lines;
    } cases[] = {
        {"nothing to count", {}, {}},
        {"rows without a quota number stay out, whatever else they hold",
         {row("0", "", "5"), row("超出范围", "", "abc"), row("", "", "")},
         {}},
        {"one row", {row("0.75", "9-6", "10.40")}, {line("9-6", "10.4", "0.75")}},
        {"same thickness and quota number: one line, rounded to hundredths",
         {row("1", "9-5", "1.234"), row("1", "9-5", "2")},
         {line("9-5", "3.23", "1")}},
        {"thickness texts of one number are one thickness",
         {row("1.0", "9-5", "1"), row("1", "9-5", "2"), row("1e0", "9-5", "3")},
         {line("9-5", "6", "1")}},
        {"thickness ordered as a number, not as text",
         {row("10", "9-5", "1"), row("2", "9-5", "1"), row("1.2", "9-5", "1")},
         {line("9-5", "1", "1.2"), line("9-5", "1", "2"), line("9-5", "1", "10")}},
        {"thickness first, then quota number",
         {row("0.6", "9-5", "1"), row("0.5", "9-6", "2"), row("0.5", "9-5", "3")},
         {line("9-5", "3", "0.5"), line("9-6", "2", "0.5"), line("9-5", "1", "0.6")}},
        {"quota numbers compared as text: 9-10 before 9-5, a prefix first",
         {row("1", "9-5", "1"), row("1", "9-10", "2"), row("1", "9-1", "3")},
         {line("9-1", "3", "1"), line("9-10", "2", "1"), line("9-5", "1", "1")}},
        {"quota numbers compared as UTF-8 bytes: U+FF38 before U+20000",
         {row("1", "\xF0\xA0\x80\x80", "1"), row("1", "\xEF\xBC\xB8", "2"), row("1", "X", "3")},
         {line("X", "3", "1"), line("\xEF\xBC\xB8", "2", "1"), line("\xF0\xA0\x80\x80", "1", "1")}},
        {"quota numbers of different spelling stay apart", {row("1", "9-5", "1"), row("1", "9-05", "1")},
         {line("9-05", "1", "1"), line("9-5", "1", "1")}},
        {"an empty thickness or quantity counts as 0",
         {row("", "9-1", "2"), row("0", "9-1", ""), row("1", "9-5", "")},
         {line("9-1", "2", "0"), line("9-5", "0", "1")}},
        {"-0 is the thickness 0", {row("-0", "9-1", "1"), row("0", "9-1", "1")}, {line("9-1", "2", "0")}},
        {"negative quantities are summed as they are", {row("1", "9-5", "-1"), row("1", "9-5", "0.5")},
         {line("9-5", "-0.5", "1")}},
        {"a sum just above a tie rounds up", {row("1", "9-5", "0.1"), row("1", "9-5", "0.2"), row("1", "9-5", "0.005")},
         {line("9-5", "0.31", "1")}},
        {"ties to even", {row("1", "9-5", "0.125"), row("2", "9-5", "0.375"), row("3", "9-5", "2.5")},
         {line("9-5", "0.12", "1"), line("9-5", "0.38", "2"), line("9-5", "2.5", "3")}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(summarizeDuctRows(c.rows), c.lines) << c.what;
}

TEST(DuctTotals, TextsThatAreNoNumberAreRefusedAndNamed)
{
    const struct {
        Rows rows;
        const char *named;
    } cases[] = {
        {{row("1", "9-5", "1"), row("abc", "9-5", "1")}, "abc"},
        {{row("1", "9-5", "2 m2")}, "2 m2"},
        {{row("x", "9-5", "y")}, "x"},     // the thickness is read first
        {{row("1", "9-5", "1e308"), row("1", "9-5", "1e308")}, "inf"},
        {{row("1", "9-5", "-1e308"), row("1", "9-5", "-1e308")}, "-inf"},
    };
    for (const auto &c : cases) {
        try {
            summarizeDuctRows(c.rows);
            ADD_FAILURE() << "accepted " << c.named;
        } catch (const ConversionError &e) {
            EXPECT_TRUE(e.message().contains(QStringLiteral("'%1'").arg(QString::fromUtf8(c.named))))
                << e.message().toStdString();
        }
    }
}

} // namespace
} // namespace mhbk::workbooks
