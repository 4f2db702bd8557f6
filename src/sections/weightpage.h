#pragma once

#include "common/pageregistry.h"
#include "common/pageservices.h"
#include "widgets/gridpaint.h"
#include "sections/materialchoice.h"
#include "sections/materials.h"
#include "sections/tableoffers.h"
#include "sections/sectiondrawing.h"
#include "sections/weights.h"

#include <QObject>
#include <QStringList>
#include <memory>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QVBoxLayout;

namespace mhbk::history {
class HistoryStore;
}

namespace mhbk {

class PageHost;
class BlockGridFiller;
class StringGrid;

// How a dimension that is not a number is reported: the page's own message, or the general
// error report with the conversion error.
enum class BadNumber { PageMessage, ErrorReport };

struct NamedInput {
    const char *objectName;
    const char *label;
};

// One calculator page of bars, plate or pipe: a reference grid on top and the G and M calculator
// below it. Every such page is one row of a description table.
struct WeightPageDescription {
    PageKey page;
    const char *gridName;
    const char *tableName; // nullptr: the flat-bar grid, computed
    CellLookFn look;
    int columnWidth;
    Profile picture;
    weights::Shape shape;
    std::vector<NamedInput> dimensions;
    NamedInput g;
    NamedInput length;
    NamedInput m;
    QStringList legend;
    BadNumber badNumber;
};

// It offers the takeoff list the row picked in its table or the figures of its calculator, and
// is opened on search results; it registers both with the host when it is built.
class WeightPage : public QObject, public TakeoffOffering, public SearchTarget {
    Q_OBJECT
public:
    // With a history, every figure computed by Enter is kept there with its inputs.
    WeightPage(PageHost &host, const WeightPageDescription &description, history::HistoryStore *history = nullptr);
    ~WeightPage() override;

    // The show handler: fills the grid on the first showing, and reads the materials of the
    // density table on every showing (the user may have edited it meanwhile).
    void show();
    // Enter in a dimension input, in the length input, and in the weight input of the
    // reverse calculation.
    void computeG();
    void computeM();
    void computeLength();
    // Sizes picked elsewhere (a search result) put into the dimension inputs, with G shown as
    // Enter would show it. Nothing goes into the history: the user calculated nothing. False,
    // and nothing changed, when the count of sizes is not the count of dimensions.
    bool showSizes(const QStringList &sizes);

    // The material G is weighed at (steel unless chosen otherwise).
    const weights::Material &material() const;

    // A row picked in the table while the table has the focus, otherwise the calculator's G
    // with its length when one is typed.
    TakeoffOffer takeoffOffer() const override;
    // The row's sizes into the calculator (as showSizes) and the row selected.
    void showSearchResult(const SearchSpot &spot) override;

private:
    void buildCalculator(QWidget *page, QVBoxLayout *layout);
    QLayout *buildMaterialRow(QWidget *page);
    void onMaterialChosen();
    bool updateG();
    bool updateM();
    bool updateLength();
    void record(const QStringList &inputs, const QLineEdit *result, const QString &unit);
    QStringList dimensionInputs() const;
    QString unitOfG() const;
    QString unitOfLength() const;

    PageHost &host_;
    WeightPageDescription description_;
    StringGrid *grid_ = nullptr;
    std::unique_ptr<BlockGridFiller> filler_;
    RowReader readRow_;
    bool flatBarLoaded_ = false;
    std::vector<QLineEdit *> dimensionEdits_;
    QLineEdit *gEdit_ = nullptr;
    QLineEdit *lengthEdit_ = nullptr;
    QLineEdit *mEdit_ = nullptr;
    weights::MaterialChoice *materials_ = nullptr;
    QLineEdit *weightEdit_ = nullptr;  // M given, for the reverse calculation
    QLineEdit *reverseEdit_ = nullptr; // L (or the plate's area) found from it
    history::HistoryStore *history_;
};

// Messages the calculators show with the application title, as plain message boxes.
inline const QString kBadInputMessage = QStringLiteral("出错！请检查输入的字符串！");
inline const QString kNeedGMessage = QStringLiteral("请先算出理论重量G(kg/m)");
inline const QString kNeedRowMessage = QStringLiteral("请先在表中选一行");

} // namespace mhbk
