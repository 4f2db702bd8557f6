// The duct pages as an estimator uses them: every size class boundary of the thickness table and
// of the quota number table on each page, and one worked take-off per page with its summary
// block. Expected texts come from the pages' tables (GB 50243-2002 table 4.2.1 and the quota
// numbers 9-1 to 9-24), worked out by hand.

#include "data/database.h"
#include "data/datasets.h"
#include "support/testdb.h"
#include "workbooks/engine/workbook.h"
#include "workbooks/engine/workbookjson.h"
#include "workbooks/pages/ductselection.h"
#include "workbooks/pages/reportstore.h"

#include <gtest/gtest.h>
#include <array>
#include <optional>

namespace mhbk::workbooks {
namespace {

// One duct page freshly loaded from a database copy.
class DuctSheetRun {
public:
    explicit DuctSheetRun(int page) : db_(copy_.path()), query_(db_), page_(*ductPage(page))
    {
        const auto stored = readStoredWorkbook(query_, page);
        wb::LoadError error;
        if (stored)
            book_ = wb::loadWorkbook(stored->bytes, &error);
        EXPECT_TRUE(book_.has_value()) << page;
    }
    bool rectangular() const { return page_.rectangular; }
    // Zero-based input slot `i`: sizes in mm, length in m, count (empty: 1).
    void duct(int i, const QString &size, const QString &shortSide, const QString &length, const QString &count = {})
    {
        const int row = page_.firstInputRow - 1 + i;
        book_->setInput(0, row, 1, size);
        if (rectangular()) {
            book_->setInput(0, row, 2, shortSide);
            book_->setInput(0, row, 3, length);
            book_->setInput(0, row, 5, count);
        } else {
            book_->setInput(0, row, 2, length);
            book_->setInput(0, row, 3, count);
        }
    }
    void clearInputs()
    {
        for (int i = 0; i < inputRows(); ++i)
            duct(i, {}, {}, {});
    }
    void run() { runDuctSelection(*book_, 0, page_); }
    int inputRows() const { return page_.lastInputRow - page_.firstInputRow + 1; }
    QString thickness(int i) const { return text(page_.firstInputRow + i, page_.thicknessResultCol); }
    QString quota(int i) const { return text(page_.firstInputRow + i, page_.quotaResultCol); }
    QString area(int i) const { return text(page_.firstInputRow + i, page_.quantityCol); }
    QStringList summary(int line) const
    {
        const int r = page_.summaryFirstRow + line;
        return {text(r, page_.summaryQuotaCol), text(r, page_.summaryTotalCol), text(r, page_.summaryThicknessCol)};
    }

private:
    QString text(int row, int col) const { return book_->displayText(0, row - 1, col - 1); }

    test::TestDatabaseCopy copy_;
    HandbookDatabase db_;
    QueryDataset query_;
    const DuctPage &page_;
    std::optional<wb::Workbook> book_;
};

// GB 50243-2002 table 4.2.1 as the pages hold it, by size class (≤320 … ≤4000).
const std::array<const char *, 7> kThickness[] = {
    {"0.5", "0.6", "0.6", "0.75", "1", "1", "1.2"},          // 45, rectangular, low and medium pressure
    {"0.75", "0.75", "0.75", "1", "1", "1.2", "0"},          // 46, rectangular, high pressure
    {"1.5", "1.5", "2", "2", "2", "0", "0"},                 // 47, dust removal
    {"0.5", "0.6", "0.75", "0.75", "1", "1.2", "0"},         // 48, round
};

// The quota number of a thickness band (δ≤1.2, ≤2, ≤3) and size class: 9-5… rectangular, 9-1… round.
QString quotaNumber(bool rectangular, const QString &thickness, int sizeClass)
{
    const double t = thickness.toDouble();
    const int band = t <= 1.2 ? 0 : (t <= 2 ? 1 : 2);
    return QStringLiteral("9-%1").arg(band * 8 + (rectangular ? 5 : 1) + sizeClass);
}

// A long side or diameter on or just past a limit of the thickness table, with the quota class
// it falls in: by the perimeter 2(b + 100 mm) on the rectangular pages (limits 800, 2000, 4000),
// by the diameter on the round one (limits 200, 500, 1120).
struct Boundary {
    const char *size;
    int sizeClass; // -1: no thickness (empty or 0), 7: above the table
    int rectangularQuotaClass, roundQuotaClass;
};
const Boundary kSizes[] = {
    {"", -1, 0, 0},      {"0", -1, 0, 0},     {"1", 0, 0, 0},      {"320", 0, 1, 1},    {"320.5", 1, 1, 1},
    {"450", 1, 1, 1},    {"450.5", 2, 1, 1},  {"630", 2, 1, 2},    {"630.5", 3, 1, 2},  {"1000", 3, 2, 2},
    {"1000.5", 4, 2, 2}, {"1250", 4, 2, 3},   {"1250.5", 5, 2, 3}, {"2000", 5, 3, 3},   {"2000.5", 6, 3, 3},
    {"4000", 6, 3, 3},   {"4000.5", 7, 3, 3}};

// Rectangular pages: the long side picks the thickness, the perimeter 2(b + a) the quota number.
// Each short side puts the perimeter on or just past a class limit for the long side 320.
struct QuotaKey {
    const char *shortSide; // unused on the round page
    int quotaClass;
};
const QuotaKey kPerimeters[] = {{"80", 0}, {"80.5", 1}, {"680", 1}, {"680.5", 2}, {"1680", 2}, {"1680.5", 3}};

void expectSelected(DuctSheetRun &sheet, int pageRow, int i, int sizeClass, int quotaClass, const std::string &what)
{
    if (sizeClass < 0) {
        EXPECT_EQ(sheet.thickness(i), QString()) << what;
        EXPECT_EQ(sheet.quota(i), QString()) << what;
        return;
    }
    if (sizeClass == 7) {
        EXPECT_EQ(sheet.thickness(i), kOutOfRange) << what;
        EXPECT_EQ(sheet.quota(i), QString()) << what;
        return;
    }
    const QString thickness = QString::fromLatin1(kThickness[pageRow][sizeClass]);
    EXPECT_EQ(sheet.thickness(i), thickness) << what;
    // "按设计" shows 0 and selects no quota number.
    EXPECT_EQ(sheet.quota(i), thickness == QLatin1String("0") ? QString() : quotaNumber(sheet.rectangular(), thickness, quotaClass))
        << what;
}

TEST(DuctBoundaries, EverySizeClassLimitOnEveryPage)
{
    int checked = 0;
    for (int page = 45; page <= 48; ++page) {
        DuctSheetRun sheet(page);
        const int pageRow = page - 45;
        struct Case {
            Boundary size;
            QuotaKey quotaKey;
        };
        std::vector<Case> cases;
        for (const Boundary &size : kSizes)
            cases.push_back({size, {"100", sheet.rectangular() ? size.rectangularQuotaClass : size.roundQuotaClass}});
        if (sheet.rectangular())
            for (const QuotaKey &p : kPerimeters)
                cases.push_back({{"320", 0, 0, 0}, p});
        for (std::size_t first = 0; first < cases.size(); first += sheet.inputRows()) {
            sheet.clearInputs();
            const std::size_t count = std::min<std::size_t>(sheet.inputRows(), cases.size() - first);
            for (std::size_t i = 0; i < count; ++i)
                sheet.duct(int(i), QString::fromLatin1(cases[first + i].size.size),
                           QString::fromLatin1(cases[first + i].quotaKey.shortSide), QStringLiteral("1"));
            sheet.run();
            for (std::size_t i = 0; i < count; ++i) {
                const Case &c = cases[first + i];
                expectSelected(sheet, pageRow, int(i), c.size.sizeClass, c.quotaKey.quotaClass,
                               "page " + std::to_string(page) + " size " + c.size.size + " short side " + c.quotaKey.shortSide);
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, 4 * 17 + 3 * 6);
}

TEST(DuctBoundaries, RoundPageQuotaClassLimits)
{
    const struct {
        const char *diameter, *thickness, *quota;
    } cases[] = {{"200", "0.5", "9-1"},  {"200.5", "0.5", "9-2"},  {"500", "0.75", "9-2"},
                 {"500.5", "0.75", "9-3"}, {"1120", "1", "9-3"}, {"1120.5", "1", "9-4"}};
    DuctSheetRun sheet(48);
    for (int i = 0; i < 6; ++i)
        sheet.duct(i, QString::fromLatin1(cases[i].diameter), {}, QStringLiteral("1"));
    sheet.run();
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(sheet.thickness(i), QString::fromLatin1(cases[i].thickness)) << cases[i].diameter;
        EXPECT_EQ(sheet.quota(i), QString::fromLatin1(cases[i].quota)) << cases[i].diameter;
    }
}

struct Duct {
    const char *size, *shortSide, *length, *count;
    const char *thickness, *quota, *area;
};
struct Example {
    int page;
    std::vector<Duct> ducts;
    std::vector<QStringList> summary; // quota number, area total, thickness
};

QStringList totalLine(const char *quota, const char *total, const char *thickness)
{
    return {QString::fromUtf8(quota), QString::fromUtf8(total), QString::fromUtf8(thickness)};
}

TEST(DuctWorkedExamples, OneTakeOffPerPage)
{
    const Example examples[] = {
        {45,
         {{"320", "200", "10", "", "0.5", "9-6", "10.40"},     // perimeter 1.04 m
          {"630", "400", "5", "", "0.6", "9-7", "10.30"},      // 2.06 m
          {"400", "250", "8", "", "0.6", "9-6", "10.40"},      // 1.30 m
          {"250", "120", "6", "2", "0.5", "9-5", "8.88"},      // 0.74 m, two pieces
          {"1000", "500", "3.5", "", "0.75", "9-7", "10.50"},  // 3.00 m
          {"320", "320", "2.5", "", "0.5", "9-6", "3.20"}},
         {totalLine("9-5", "8.88", "0.5"), totalLine("9-6", "13.6", "0.5"), totalLine("9-6", "10.4", "0.6"),
          totalLine("9-7", "10.3", "0.6"), totalLine("9-7", "10.5", "0.75")}},
        {46,
         {{"500", "300", "4", "", "0.75", "9-6", "6.40"},
          {"1200", "800", "3", "", "1", "9-7", "12.00"},       // 4.00 m: still the ≤4000 class
          {"1600", "1000", "2", "", "1.2", "9-8", "10.40"},
          {"2500", "1000", "1", "", "0", "", "7.00"},          // "按设计": no quota number, no total
          {"5000", "500", "1", "", "超出范围", "", "11.00"}},
         {totalLine("9-6", "6.4", "0.75"), totalLine("9-7", "12", "1"), totalLine("9-8", "10.4", "1.2")}},
        {47,
         {{"300", "200", "10", "", "1.5", "9-14", "10.00"},
          {"600", "400", "5", "", "2", "9-14", "10.00"},       // 2.00 m: the ≤2000 class
          {"1000", "600", "2.5", "", "2", "9-15", "8.00"},
          {"250", "150", "4", "", "1.5", "9-13", "3.20"}},     // 0.80 m: the ≤800 class
         {totalLine("9-13", "3.2", "1.5"), totalLine("9-14", "10", "1.5"), totalLine("9-14", "10", "2"),
          totalLine("9-15", "8", "2")}},
        {48,
         {{"200", "", "10", "", "0.5", "9-1", "6.28"},
          {"500", "", "10", "", "0.75", "9-2", "15.71"},
          {"320", "", "5", "", "0.5", "9-2", "5.03"},
          {"1120", "", "2", "", "1", "9-3", "7.04"},
          {"1600", "", "3", "", "1.2", "9-4", "15.08"},
          {"450", "", "4", "2", "0.6", "9-2", "11.31"}},
         {totalLine("9-1", "6.28", "0.5"), totalLine("9-2", "5.03", "0.5"), totalLine("9-2", "11.31", "0.6"),
          totalLine("9-2", "15.71", "0.75"), totalLine("9-3", "7.04", "1"), totalLine("9-4", "15.08", "1.2")}},
    };
    for (const Example &e : examples) {
        DuctSheetRun sheet(e.page);
        for (std::size_t i = 0; i < e.ducts.size(); ++i) {
            const Duct &d = e.ducts[i];
            sheet.duct(int(i), QString::fromLatin1(d.size), QString::fromLatin1(d.shortSide), QString::fromLatin1(d.length),
                       QString::fromLatin1(d.count));
        }
        sheet.run();
        for (std::size_t i = 0; i < e.ducts.size(); ++i) {
            const Duct &d = e.ducts[i];
            EXPECT_EQ(sheet.area(int(i)), QString::fromUtf8(d.area)) << e.page << " row " << i;
            EXPECT_EQ(sheet.thickness(int(i)), QString::fromUtf8(d.thickness)) << e.page << " row " << i;
            EXPECT_EQ(sheet.quota(int(i)), QString::fromUtf8(d.quota)) << e.page << " row " << i;
        }
        for (std::size_t line = 0; line < e.summary.size(); ++line)
            EXPECT_EQ(sheet.summary(int(line)), e.summary[line]) << e.page << " line " << line;
        EXPECT_EQ(sheet.summary(int(e.summary.size())), QStringList(3, QString())) << e.page;
    }
}

} // namespace
} // namespace mhbk::workbooks
