#pragma once

#include "common/loadonce.h"
#include "common/pageregistry.h"

#include <QObject>

class QComboBox;
class QLineEdit;
class QVBoxLayout;

namespace mhbk {

class PageHost;
class StringGrid;

// The checkered-plate page: the table of basic thicknesses on top, and below it the chosen
// thickness, the plate's width and length, and both patterns' rib heights, weights per m² and
// plate weights. Unlike the other calculators it recomputes on every change.
class CheckeredPlatePage : public QObject {
    Q_OBJECT
public:
    static constexpr PageKey kPage = PageKey::CheckeredPlate;

    explicit CheckeredPlatePage(PageHost &host);

    void show();
    void thicknessChanged();   // cbJBHD_HWGBChange
    void computeWeights();     // run by every change of thickness, width or length

private:
    void buildForm(QWidget *page, QVBoxLayout *layout);
    void fillGrid();

    PageHost &host_;
    StringGrid *grid_ = nullptr;
    QComboBox *thickness_ = nullptr;
    QComboBox *width_ = nullptr;
    QComboBox *length_ = nullptr;
    QLineEdit *rhombicRib_ = nullptr;
    QLineEdit *rhombicPerM2_ = nullptr;
    QLineEdit *rhombicWeight_ = nullptr;
    QLineEdit *lentilRib_ = nullptr;
    QLineEdit *lentilPerM2_ = nullptr;
    QLineEdit *lentilWeight_ = nullptr;
    LoadOnce loaded_;
};

} // namespace mhbk
