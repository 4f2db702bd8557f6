// The user's corrections of the green reference cells: which cells they are, the difference
// from the shipped sheet, laying it over a sheet, and the small file that keeps it.
#include "common/errors.h"
#include "workbooks/engine/workbook.h"
#include "workbooks/pages/referencevalues.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace mhbk::workbooks {
namespace {

// A1 label (locked), B1 yellow input, C1 and C2 green reference values, D1 a formula over them.
wb::Workbook smallSheet()
{
    wb::Workbook book;
    const int s = book.addSheet(QStringLiteral("测算"));
    book.setInput(s, 0, 0, QStringLiteral("管件"));
    book.setInput(s, 0, 2, QStringLiteral("10.2"));
    book.setInput(s, 1, 2, QStringLiteral("9-1"));
    book.setInput(s, 0, 3, QStringLiteral("=B1/10*C1"));
    wb::CellStyle input;
    input.locked = false;
    input.filled = true;
    input.fill = 0xFFF2CC;
    book.sheet(s).setStyleIndex(0, 1, book.addStyle(input));
    wb::CellStyle reference = input;
    reference.fill = kReferenceFill;
    book.sheet(s).setStyleIndex({0, 2, 1, 2}, book.addStyle(reference));
    book.sheet(s).setProtected(true);
    return book;
}

TEST(ReferenceValues, OnlyUnlockedGreenCellsAreReferenceValues)
{
    wb::Workbook book = smallSheet();
    const struct {
        int row, col;
        bool reference;
    } cases[] = {{0, 0, false}, {0, 1, false}, {0, 2, true}, {1, 2, true}, {0, 3, false}, {5, 5, false}};
    for (const auto &c : cases)
        EXPECT_EQ(isReferenceCell(book, 0, c.row, c.col), c.reference) << c.row << "," << c.col;
    EXPECT_EQ(referenceCells(book, 0).size(), 2u);
    book.sheet(0).setProtected(false); // green but not protected: every cell is open, none is "kept"
    EXPECT_TRUE(isReferenceCell(book, 0, 0, 2));
}

TEST(ReferenceValues, CorrectionsAreTheChangedGreenCellsOnly)
{
    const wb::Workbook shipped = smallSheet();
    wb::Workbook shown = smallSheet();
    shown.setInput(0, 0, 1, QStringLiteral("20"));  // an input: not a correction
    shown.setInput(0, 0, 2, QStringLiteral("11"));
    shown.setInput(0, 1, 2, QString());             // cleared on purpose: kept as empty
    const ReferenceCorrections expected{{{0, 2}, QStringLiteral("11")}, {{1, 2}, QString()}};
    EXPECT_EQ(correctionsOf(shipped, shown, 0), expected);

    wb::Workbook next = smallSheet();
    next.setInput(0, 0, 1, QStringLiteral("20"));
    EXPECT_EQ(applyCorrections(next, 0, expected), 2);
    EXPECT_EQ(next.displayText(0, 0, 3), QStringLiteral("22")); // 20/10*11, recalculated
    EXPECT_EQ(next.sheet(0).input(1, 2), QString());
    EXPECT_TRUE(correctionsOf(shipped, smallSheet(), 0).empty());
}

TEST(ReferenceValues, CorrectionsOnCellsThatAreNoLongerGreenAreSkipped)
{
    wb::Workbook book = smallSheet();
    const ReferenceCorrections stored{{{0, 0}, QStringLiteral("改")}, {{0, 3}, QStringLiteral("1")},
                                      {{0, 2}, QStringLiteral("12")}};
    EXPECT_EQ(applyCorrections(book, 0, stored), 1);
    EXPECT_EQ(book.sheet(0).input(0, 0), QStringLiteral("管件"));
    EXPECT_EQ(book.sheet(0).input(0, 3), QStringLiteral("=B1/10*C1"));
}

TEST(ReferenceValues, StoredFormIsReadBackOrRefused)
{
    const ReferenceCorrections c{{{4, 13}, QStringLiteral("0.8")}, {{10, 12}, QStringLiteral("9-5")}};
    ReferenceCorrections out;
    ASSERT_TRUE(correctionsFromJson(correctionsToJson(45, c), 45, out));
    EXPECT_EQ(out, c);
    const struct {
        const char *name;
        QByteArray json;
    } refused[] = {
        {"another page", correctionsToJson(46, c)},
        {"not JSON", "{\"page\": 45, \"cells\": {"},
        {"no cells", "{\"page\": 45}"},
        {"bad address", "{\"page\": 45, \"cells\": {\"ZZZZ0\": \"1\"}}"},
        {"number instead of text", "{\"page\": 45, \"cells\": {\"N5\": 1}}"},
        {"an array", "[45]"},
    };
    for (const auto &r : refused) {
        out = c;
        EXPECT_FALSE(correctionsFromJson(r.json, 45, out)) << r.name;
        EXPECT_TRUE(out.empty()) << r.name;
    }
}

TEST(ReferenceValues, StoreKeepsOneFilePerPageAndRemovesItWhenNothingDiffers)
{
    QTemporaryDir dir;
    const ReferenceStore store(dir.filePath(QStringLiteral("用户")));
    const ReferenceCorrections c{{{2, 3}, QStringLiteral("1.5")}};
    EXPECT_TRUE(store.load(40).empty()); // nothing stored yet, folder not even made
    store.save(40, c);
    EXPECT_EQ(store.load(40), c);
    EXPECT_TRUE(store.load(41).empty());
    store.save(40, {});
    EXPECT_FALSE(QFile::exists(store.filePath(40)));

    QFile broken(store.filePath(41));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not json");
    broken.close();
    EXPECT_THROW(store.load(41), AppError);

    const ReferenceStore nowhere{QString()};
    EXPECT_FALSE(nowhere.keeps());
    nowhere.save(40, c); // keeps nothing, and says nothing
    EXPECT_TRUE(nowhere.load(40).empty());
}

} // namespace
} // namespace mhbk::workbooks
