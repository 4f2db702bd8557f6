// The duct plate thickness and quota selection on the stored duct sheets, without widgets:
// the workbook model read from a database copy.

#include "common/errors.h"
#include "data/database.h"
#include "data/datasets.h"
#include "support/testdb.h"
#include "workbooks/engine/address.h"
#include "workbooks/engine/workbook.h"
#include "workbooks/engine/workbookjson.h"
#include "workbooks/pages/ductselection.h"
#include "workbooks/pages/reportstore.h"

#include <gtest/gtest.h>
#include <memory>

namespace mhbk::workbooks {
namespace {

TEST(DuctTables, ThicknessRowBySizeClass)
{
    const struct {
        double key;
        int row;
    } cases[] = {{0, 0},    {-20, 3},   {1, 3},     {320, 3},   {320.5, 4}, {450, 4},  {451, 5},
                 {630, 5},  {631, 6},   {1000, 6},  {1250, 7},  {1251, 8},  {2000, 8}, {2001, 9},
                 {4000, 9}, {4000.1, -1}, {9000, -1}};
    for (const auto &c : cases)
        EXPECT_EQ(thicknessTableRow(c.key), c.row) << c.key;
}

TEST(DuctTables, QuotaRowByBandAndSizeClass)
{
    const double rect[3] = {800, 2000, 4000};
    const double round[3] = {200, 500, 1120};
    const struct {
        double thickness, key;
        const double (&limits)[3];
        int row;
    } cases[] = {
        {0, 500, round, 0},      {0.75, 500, round, 12},  {0.5, 200, round, 11},   {1.2, 1121, round, 14},
        {1.0, 2400, rect, 13},   {1.5, 800, rect, 15},    {2.0, 801, rect, 16},    {2.5, 4000, rect, 21},
        {3.0, 4001, rect, 22},   {4.0, 100, rect, 19},    {-1, 100, rect, 11},     {1.21, -5, rect, 15},
    };
    for (const auto &c : cases)
        EXPECT_EQ(quotaTableRow(c.thickness, c.key, c.limits), c.row) << c.thickness << " " << c.key;
}

TEST(DuctTables, TotalsRoundToHundredthsTiesToEven)
{
    EXPECT_EQ(generalNumberText(roundToHundredths(3.234)), QStringLiteral("3.23"));
    EXPECT_EQ(generalNumberText(roundToHundredths(0.125)), QStringLiteral("0.12"));
    EXPECT_EQ(generalNumberText(roundToHundredths(0.375)), QStringLiteral("0.38"));
    EXPECT_EQ(generalNumberText(roundToHundredths(24)), QStringLiteral("24"));
    EXPECT_EQ(generalNumberText(0.75), QStringLiteral("0.75"));
    EXPECT_EQ(generalNumberText(1.0), QStringLiteral("1"));
}

TEST(DuctTables, OnlyTheFourDuctPagesHaveALayout)
{
    for (int page = 0; page < 52; ++page)
        EXPECT_EQ(ductPage(page) != nullptr, page >= 45 && page <= 48) << page;
    EXPECT_TRUE(ductPage(45)->rectangular);
    EXPECT_FALSE(ductPage(48)->rectangular);
}

// One duct page loaded from the built database, ready to run.
class DuctRun : public ::testing::Test {
protected:
    void open(int page)
    {
        db_ = std::make_unique<HandbookDatabase>(copy_.path());
        query_ = std::make_unique<QueryDataset>(*db_);
        const auto stored = readStoredWorkbook(*query_, page);
        ASSERT_TRUE(stored.has_value());
        EXPECT_EQ(stored->kind, kDuctPageKind);
        wb::LoadError error;
        auto book = wb::loadWorkbook(stored->bytes, &error);
        ASSERT_TRUE(book.has_value()) << error.message.toStdString();
        book_ = std::make_unique<wb::Workbook>(std::move(*book));
        page_ = ductPage(page);
    }
    void set(const char *cell, const QString &text)
    {
        const auto at = wb::parseAddress(QString::fromLatin1(cell));
        book_->setInput(0, at->row, at->col, text);
    }
    QString get(const char *cell) const
    {
        const auto at = wb::parseAddress(QString::fromLatin1(cell));
        return book_->displayText(0, at->row, at->col);
    }
    QString at(int row, int col) const { return book_->displayText(0, row - 1, col - 1); }
    void run() { runDuctSelection(*book_, 0, *page_); }
    QStringList allTexts() const
    {
        QStringList texts;
        for (int r = 0; r < 60; ++r)
            for (int c = 0; c < 16; ++c)
                texts << book_->displayText(0, r, c);
        return texts;
    }

    test::TestDatabaseCopy copy_;
    std::unique_ptr<HandbookDatabase> db_;
    std::unique_ptr<QueryDataset> query_;
    std::unique_ptr<wb::Workbook> book_;
    const DuctPage *page_ = nullptr;
};

TEST_F(DuctRun, RoundPageTakesThicknessByDiameterAndQuotaByBand)
{
    open(48);
    set("B3", QStringLiteral("500"));
    set("C3", QStringLiteral("10"));
    run();
    EXPECT_EQ(get("H3"), at(5, 12));
    EXPECT_EQ(get("H3"), QStringLiteral("0.75"));
    EXPECT_EQ(get("I3"), at(12, 11));
    EXPECT_EQ(get("A21"), get("I3"));
    EXPECT_EQ(get("D21"), QStringLiteral("15.71"));   // π × 0.5 × 10
    EXPECT_EQ(get("G21"), QStringLiteral("0.75"));
}

TEST_F(DuctRun, RectangularPageUsesPerimeterTimesThousand)
{
    open(45);
    set("N6", QStringLiteral("1.0"));
    set("B3", QStringLiteral("1000"));
    set("C3", QStringLiteral("200"));   // perimeter 2.4 m -> 2400 mm, above 2000
    set("D3", QStringLiteral("10"));
    run();
    EXPECT_EQ(get("E3"), QStringLiteral("2.4"));
    EXPECT_EQ(get("J3"), QStringLiteral("1"));
    EXPECT_EQ(get("K3"), at(13, 13));
    EXPECT_FALSE(get("K3").isEmpty());
    EXPECT_EQ(get("E20"), QStringLiteral("24"));
}

TEST_F(DuctRun, ByDesignGivesZeroThicknessNoQuotaAndNoTotal)
{
    open(48);
    set("B3", QStringLiteral("3000"));   // 2000 < D <= 4000: "按设计"
    set("C3", QStringLiteral("5"));
    run();
    EXPECT_EQ(at(9, 12), kByDesign);
    EXPECT_EQ(get("H3"), QStringLiteral("0"));
    EXPECT_EQ(get("I3"), QString());
    EXPECT_EQ(get("A21"), QString());
}

TEST_F(DuctRun, EmptyKeyClearsEarlierResults)
{
    open(45);
    set("J4", QStringLiteral("9.9"));
    set("K4", QStringLiteral("junk"));
    set("B5", QStringLiteral("0"));
    set("J5", QStringLiteral("1"));
    run();
    EXPECT_EQ(get("J4"), QString());
    EXPECT_EQ(get("K4"), QString());
    EXPECT_EQ(get("J5"), QString());
    EXPECT_EQ(get("K5"), QString());
}

TEST_F(DuctRun, ThicknessAboveThreeIsKeptButQuotaTakenFromTheThreeMillimetreBand)
{
    open(45);
    set("N3", QStringLiteral("4"));
    set("B3", QStringLiteral("300"));
    set("C3", QStringLiteral("100"));   // perimeter 0.8 m: size class 0
    set("D3", QStringLiteral("1"));
    run();
    EXPECT_EQ(get("J3"), QStringLiteral("4"));
    EXPECT_EQ(get("K3"), at(19, 13));
    EXPECT_EQ(get("I20"), QStringLiteral("4"));
}

TEST_F(DuctRun, RowsOfOneThicknessAndQuotaAreSummedAndRounded)
{
    open(45);
    for (const char *row : {"3", "4"}) {
        set(QByteArray("B").append(row).constData(), QStringLiteral("500"));
        set(QByteArray("C").append(row).constData(), QStringLiteral("100"));
    }
    set("G3", QStringLiteral("1.234"));
    set("G4", QStringLiteral("2"));
    run();
    EXPECT_EQ(get("K3"), get("K4"));
    EXPECT_EQ(get("A20"), get("K3"));
    EXPECT_EQ(get("E20"), QStringLiteral("3.23"));
    EXPECT_EQ(get("I20"), QStringLiteral("0.6"));
    EXPECT_EQ(get("A21"), QString());
}

TEST_F(DuctRun, SizeAboveTableShowsOutOfRangeAndStaysOutOfTotals)
{
    open(46);
    set("B3", QStringLiteral("4500"));
    set("C3", QStringLiteral("500"));
    set("D3", QStringLiteral("2"));
    run();
    EXPECT_EQ(get("J3"), kOutOfRange);
    EXPECT_EQ(get("K3"), QString());
    EXPECT_EQ(get("A20"), QString());
}

TEST_F(DuctRun, RunningTwiceGivesTheSameSheetAndShorterRunsLeaveNoStaleTotals)
{
    open(47);
    const char *sizes[] = {"300", "400", "600", "900", "1100", "1500", "3000"};
    for (int i = 0; i < 7; ++i) {
        const QByteArray row = QByteArray::number(3 + i);
        set(QByteArray("B" + row).constData(), QString::fromLatin1(sizes[i]));
        set(QByteArray("C" + row).constData(), QString::fromLatin1(sizes[i]));
        set(QByteArray("D" + row).constData(), QStringLiteral("3"));
    }
    run();
    const QStringList first = allTexts();
    run();
    EXPECT_EQ(allTexts(), first);
    EXPECT_FALSE(get("A21").isEmpty());
    for (int i = 0; i < 7; ++i)
        set(QByteArray("B" + QByteArray::number(3 + i)).constData(), QString());
    set("B3", QStringLiteral("300"));
    run();
    EXPECT_FALSE(get("A20").isEmpty());
    EXPECT_EQ(get("A21"), QString());
    EXPECT_EQ(get("E21"), QString());
}

TEST_F(DuctRun, KeyThatIsNoNumberEndsTheRunWithAConversionError)
{
    open(45);
    set("B3", QStringLiteral("300"));
    set("B4", QStringLiteral("abc"));
    EXPECT_THROW(run(), ConversionError);
    EXPECT_EQ(get("J3"), QStringLiteral("0.5"));   // written before the bad row
}

} // namespace
} // namespace mhbk::workbooks
