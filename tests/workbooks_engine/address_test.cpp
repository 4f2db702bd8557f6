#include "workbooks/engine/address.h"

#include <gtest/gtest.h>

namespace mhbk::wb::test {
namespace {

// Addresses and ranges as typed in formulas and stored files: '$' anywhere and blanks around
// are ignored, letters in either case; anything else is refused rather than misread.
TEST(AddressTest, ParsesWhatATableMayHoldAndRefusesTheRest)
{
    struct Case
    {
        const char16_t *text;
        bool valid;
        CellRange expected;   // for ranges; a single cell gives first == last
    };
    const Case cases[] = {
        {u"B3", true, {2, 1, 2, 1}},
        {u"$B$3", true, {2, 1, 2, 1}},
        {u"  b3 ", true, {2, 1, 2, 1}},
        {u"$$B$$3", true, {2, 1, 2, 1}},
        {u"XFD1048576", true, {kMaxRows - 1, kMaxColumns - 1, kMaxRows - 1, kMaxColumns - 1}},
        {u"A1:B2", true, {0, 0, 1, 1}},
        {u"B2:A1", true, {0, 0, 1, 1}},
        {u"$H:k", true, {0, 7, kMaxRows - 1, 10}},
        {u"3:$5", true, {2, 0, 4, kMaxColumns - 1}},
        {u"XFD1048576:XFD1048576", true, {kMaxRows - 1, kMaxColumns - 1, kMaxRows - 1, kMaxColumns - 1}},
        {u"A0", false, {}},
        {u"A01", false, {}},
        {u"XFE1", false, {}},
        {u"A1048577", false, {}},
        {u"A 1", false, {}},
        {u"A1:", false, {}},
        {u":A1", false, {}},
        {u"A1:B", false, {}},
        {u"AAAA1", false, {}},
        {u"ı1", false, {}},                 // a letter whose capital is 'I' is still no column
        {u"A１", false, {}},                // full-width digit
        {u"AAAAAAAAAAAAAAAAAAAAAAAAAAAAA1", false, {}},
        {u"", false, {}},
    };
    for (const Case &c : cases) {
        const QString text = QString::fromUtf16(c.text);
        const auto range = parseRange(text);
        EXPECT_EQ(range.has_value(), c.valid) << text.toStdString();
        if (range && c.valid) {
            EXPECT_EQ(*range, c.expected) << text.toStdString();
        }
        const bool oneCell = c.valid && c.expected.firstRow == c.expected.lastRow &&
                             c.expected.firstCol == c.expected.lastCol && colonIn(text) < 0;
        const auto address = parseAddress(text);
        EXPECT_EQ(address.has_value(), oneCell) << text.toStdString();
        if (address && oneCell) {
            EXPECT_EQ(address->row, c.expected.firstRow) << text.toStdString();
            EXPECT_EQ(address->col, c.expected.firstCol) << text.toStdString();
        }
    }
}

} // namespace
} // namespace mhbk::wb::test
