#pragma once

#include "data/gridpaint.h"
#include "sections/sectiondrawing.h"
#include "sections/weights.h"

#include <QObject>
#include <QStringList>
#include <memory>
#include <vector>

class QLineEdit;
class QVBoxLayout;

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
    const char *pageName; // the tab sheet's object name
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

class WeightPage : public QObject {
    Q_OBJECT
public:
    WeightPage(PageHost &host, const WeightPageDescription &description);
    ~WeightPage() override;

    // The show handler: fills the grid on the first showing.
    void show();
    // Enter in a dimension input, and in the length input.
    void computeG();
    void computeM();

private:
    void buildCalculator(QWidget *page, QVBoxLayout *layout);

    PageHost &host_;
    WeightPageDescription description_;
    StringGrid *grid_ = nullptr;
    std::unique_ptr<BlockGridFiller> filler_;
    bool flatBarLoaded_ = false;
    std::vector<QLineEdit *> dimensionEdits_;
    QLineEdit *gEdit_ = nullptr;
    QLineEdit *lengthEdit_ = nullptr;
    QLineEdit *mEdit_ = nullptr;
};

// Messages the calculators show with the application title, as plain message boxes.
inline const QString kBadInputMessage = QStringLiteral("出错！请检查输入的字符串！");
inline const QString kNeedGMessage = QStringLiteral("请先算出理论重量G(kg/m)");

} // namespace mhbk
