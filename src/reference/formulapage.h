#pragma once

#include "common/loadonce.h"
#include "common/pageregistry.h"
#include "common/pageservices.h"

class QWidget;

namespace mhbk {
class HandbookDatabase;
class StringGrid;
} // namespace mhbk

namespace mhbk::reference {

// "常用型材计算公式": the read-only formula grid and the weight formula under it; opened on
// search results.
class FormulaPage : public SearchTarget {
public:
    static constexpr PageKey kPage = PageKey::SectionFormulas;
    static constexpr const char *kTableName = "constformula";

    FormulaPage(QWidget *page, HandbookDatabase &database);

    // Page_constformulaShow: reads the table on the first showing only.
    void show();
    bool loaded() const { return loaded_.done(); }
    StringGrid &grid() const { return *grid_; }
    void showSearchResult(const SearchSpot &spot) override;

private:
    void fill();

    HandbookDatabase &database_;
    StringGrid *grid_;
    LoadOnce loaded_;
};

} // namespace mhbk::reference
