#pragma once

#include "common/loadonce.h"
#include "common/pageregistry.h"
#include "common/pageservices.h"

#include <QObject>
#include <optional>

class QComboBox;
class QLineEdit;
class QVBoxLayout;

namespace mhbk {

class PageHost;
class StringGrid;

// The checkered-plate page: the table of basic thicknesses on top, and below it the chosen
// thickness, the plate's width and length, and both patterns' rib heights, weights per m² and
// plate weights. Unlike the other calculators it recomputes on every change. It offers the
// takeoff list the chosen plate and is opened on search results.
class CheckeredPlatePage : public QObject, public TakeoffOffering, public SearchTarget {
    Q_OBJECT
public:
    static constexpr PageKey kPage = PageKey::CheckeredPlate;

    explicit CheckeredPlatePage(PageHost &host);

    void show();
    void thicknessChanged();   // cbJBHD_HWGBChange
    void computeWeights();     // run by every change of thickness, width or length

    // The thickness and pattern chosen on the page (or a cell picked in its table while it has
    // the focus) with that pattern's weight per m2; the area is the plate's width by length
    // when both are typed, else asked for.
    TakeoffOffer takeoffOffer() const override;
    // The row's thickness chosen (its weights are shown) and the row selected.
    void showSearchResult(const SearchSpot &spot) override;

private:
    void buildForm(QWidget *page, QVBoxLayout *layout);
    void fillGrid();
    std::optional<TakeoffOffer> tableOffer(bool lentilChosen) const;
    TakeoffOffer plateOffer(const QString &thickness, bool lentil, double perM2) const;

    PageHost &host_;
    StringGrid *grid_ = nullptr;
    QComboBox *thickness_ = nullptr;
    QComboBox *width_ = nullptr;
    QComboBox *length_ = nullptr;
    QComboBox *pattern_ = nullptr;
    QLineEdit *rhombicRib_ = nullptr;
    QLineEdit *rhombicPerM2_ = nullptr;
    QLineEdit *rhombicWeight_ = nullptr;
    QLineEdit *lentilRib_ = nullptr;
    QLineEdit *lentilPerM2_ = nullptr;
    QLineEdit *lentilWeight_ = nullptr;
    LoadOnce loaded_;
};

} // namespace mhbk
