#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <set>

namespace mhbk {

class UnsavedWork;

// What a page offers "加入清单" now: its current item (a row picked in its table, or what its
// calculator shows), or why it has nothing to offer yet.
struct TakeoffOffer {
    QString item;        // 项目: the page's caption, "圆钢"
    QString designation; // 规格: "d=10", "20a", "DN15 21.3×2.8"
    QString material;    // 材质
    QString unit;        // what the quantity counts: "m", "m2"
    double unitWeight = 0; // kg per unit, the figure the page shows
    double quantity = 0;   // in `unit`, when the page knows it (a length typed beside the calculator)
    bool askQuantity = false; // the quantity is not known: the list asks for it before adding
    QString remark;
    QString refusal; // non-empty: nothing to add, and this says what to do first

    static TakeoffOffer refused(const QString &why)
    {
        TakeoffOffer offer;
        offer.refusal = why;
        return offer;
    }
};

// A page that can add a line to the takeoff list.
class TakeoffOffering {
public:
    virtual ~TakeoffOffering() = default;
    virtual TakeoffOffer takeoffOffer() const = 0;
};

// A row a search result names: its first cell on the page's grid, how many cells across it is,
// and the page calculator's dimension inputs taken from it (empty: nothing to fill).
struct SearchSpot {
    int row = 0;
    int column = 0;
    int span = 1;
    QStringList inputs;
};

// A page that can be opened on a search result. Called once the page is on screen.
class SearchTarget {
public:
    virtual ~SearchTarget() = default;
    // Selects the row's cells and puts the inputs into the calculator, which shows its figure for
    // them; a spot outside the grid selects nothing.
    virtual void showSearchResult(const SearchSpot &spot) = 0;
};

// "插入", "删除" and "保存" of the bottom bar, and Ctrl+S, act on the editable grid of the page on
// screen through this.
class RowEditor {
public:
    virtual ~RowEditor() = default;
    virtual void insertItem() = 0;
    virtual void deleteItem() = 0;
    virtual void save() = 0;
};

// Everything a page offers the subsystems around it; absent services are null. The objects are
// the page's, and live as long as the page.
struct PageServices {
    TakeoffOffering *takeoff = nullptr;
    SearchTarget *search = nullptr;
    RowEditor *rowEditor = nullptr;
    UnsavedWork *unsavedWork = nullptr; // also asked about before the window closes
};

// The services of every page, for a page host to keep. A page built on its first showing has
// a builder here: asking for its services builds it first, so that what a page offers never
// depends on whether it has been shown yet.
class PageServiceTable {
public:
    // Adds what is not null to what the page registered before.
    void add(int pageIndex, const PageServices &services);
    void setBuilder(int pageIndex, std::function<void()> build);
    // Runs the page's builder (which must do nothing when the page is built) and returns its
    // services; all null for a page that offers none.
    PageServices lookup(int pageIndex);

private:
    std::map<int, PageServices> services_;
    std::map<int, std::function<void()>> builders_;
    std::set<int> building_; // a page registers its services while it is built
};

} // namespace mhbk
