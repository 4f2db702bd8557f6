#include "app/pagecatalogue.h"

#include <QString>
#include <gtest/gtest.h>
#include <set>

TEST(PageCatalogue, FiftyTwoPagesInIndexOrderWithUniqueNames)
{
    const auto &pages = mhbk::pageCatalogue();
    std::set<QString> names;
    for (int i = 0; i < mhbk::kPageCount; ++i) {
        EXPECT_EQ(pages[i].index, i);
        EXPECT_TRUE(names.insert(QString::fromLatin1(pages[i].objectName)).second) << pages[i].objectName;
    }
}

TEST(PageCatalogue, GroupsCoverEveryPageExactlyOnceInOrder)
{
    int next = 0;
    for (const auto &group : mhbk::treeGroups()) {
        EXPECT_EQ(group.firstPage, next) << group.caption;
        EXPECT_LE(group.firstPage, group.lastPage);
        next = group.lastPage + 1;
    }
    EXPECT_EQ(next, mhbk::kPageCount);
}

TEST(PageCatalogue, AddToExpressionIsOnExactlyOnTheTablePagesThatOfferCells)
{
    // 加入表达式 is offered by the editable tables, the bars, plates, rolled sections and the
    // welded, conduit and spiral pipes; never by the keypad, the formula table or the seamless pipes.
    const std::set<int> on{2, 3, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 28, 29, 30};
    const std::set<int> off{0, 4, 24, 25, 26, 27, 31, 32};
    for (const auto &page : mhbk::pageCatalogue()) {
        if (on.count(page.index)) {
            ASSERT_TRUE(page.buttons.has_value()) << page.index;
            EXPECT_TRUE(page.buttons->addToExpression) << page.index;
        } else if (off.count(page.index)) {
            ASSERT_TRUE(page.buttons.has_value()) << page.index;
            EXPECT_FALSE(page.buttons->addToExpression) << page.index;
        } else {
            EXPECT_FALSE(page.buttons.has_value()) << page.index;
        }
        if (page.buttons) {
            EXPECT_TRUE(page.buttons->jumpToCalculator);
        }
    }
}
