// COUNTIF and SUMIF read their criteria as the spreadsheet programs do (see criteriatable.h).
#include "criteriatable.h"
#include "enginetestutil.h"
#include "workbooks/engine/function_args.h"

namespace mhbk::wb::test {
namespace {

QString describe(const Value &criterion)
{
    return criterion.isText() ? u'"' + criterion.asText() + u'"' : show(criterion);
}

void expectTable(const std::vector<CriterionCase> &cases, const std::vector<CriterionCase> &truthCases)
{
    const Workbook book = criteriaBook(cases, truthCases);
    for (const auto &[list, col] : {std::pair{&cases, 2}, std::pair{&truthCases, 8}}) {
        for (std::size_t i = 0; i < list->size(); ++i) {
            const CriterionCase &c = (*list)[i];
            SCOPED_TRACE(describe(c.criterion).toStdString());
            EXPECT_EQ(show(book.value(0, int(i), col + 1)), QString::number(c.count));
            EXPECT_EQ(show(book.value(0, int(i), col + 2)), QString::number(c.sum, 'f', 0));
        }
    }
}

TEST(CriteriaTest, MatchesLibreOfficesRecalculation)
{
    expectTable(libreOfficeCases(), libreOfficeTruthCases());
}

TEST(CriteriaTest, KeepsExcelsRulesWhereLibreOfficeDeparts)
{
    expectTable(excelCases(), excelTruthCases());
}

TEST(CriteriaTest, WildcardsAndTheirEscapes)
{
    const struct {
        const char *pattern, *text;
        bool matches;
    } cases[] = {
        {"a*", "ABC", true},     {"a?c", "a c", true},   {"a~*c", "a*c", true}, {"a~*c", "abc", false},
        {"a~?c", "abc", false},  {"~~", "~", true},      {"~", "~", true},      {"a~c", "a~c", true},
        {"~a", "a", false},      {"*~", "x~", true},     {"**", "", true},      {"?", "", false},
        {"*管*", "钢管DN20", true}, {"钢?DN20", "钢管DN20", true}, {"*a*b", "aXb", true}, {"*a*b", "aXbc", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(wildcardMatch(QString::fromUtf8(c.pattern), QString::fromUtf8(c.text)), c.matches)
            << c.pattern << " / " << c.text;
}

} // namespace
} // namespace mhbk::wb::test
