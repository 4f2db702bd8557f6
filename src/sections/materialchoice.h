#pragma once

#include "sections/materials.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <vector>

class QComboBox;
class QLabel;
class QWidget;

namespace mhbk {
class PageHost;
}

namespace mhbk::weights {

// The materials in the order the calculators offer them: steel first, then the ones last
// chosen (newest first), then the rest in the density table's order.
std::vector<Material> inRecentOrder(std::vector<Material> materials, const QStringList &recent);

// The materials last chosen on any calculator, newest first, kept in the user's data folder
// (an empty folder keeps nothing).
class RecentMaterials {
public:
    static constexpr int kMax = 8;
    explicit RecentMaterials(const QString &folder);
    QStringList names() const;
    void add(const QString &name) const;

private:
    QString file_;
};

// Lets the user find a material by typing any part of its name ("铜" offers 黄铜 and 纯铜材): the
// box becomes editable, completes from anywhere in a name, and a typed text that names no
// material gives way to the material chosen before.
void makeTypeable(QComboBox &box);

// The material choice beside a calculator: a typeable box of the density table's materials in
// recent order, with each density in its tooltip, and a label with the chosen one's density.
// The calculators (bars, plates and pipes, and the rolled sections' reverse calculation) all
// offer the same choice through this.
class MaterialChoice : public QObject {
    Q_OBJECT
public:
    // The box and label are named `<objectPrefix>_Material` and `<objectPrefix>_Density`.
    MaterialChoice(PageHost &host, QWidget *parent, const QString &objectPrefix);

    QComboBox *box() const { return box_; }
    QLabel *densityLabel() const { return densityLabel_; }
    // Steel until the table has been read or while nothing else is chosen.
    const Material &current() const;
    // Reads the density table again (the user may have edited it), keeping the chosen material
    // when it is still there. Throws AppError for a damaged table; the choice keeps what it had.
    void reload();

signals:
    // The user chose another material (it is noted among the recent ones first).
    void chosen();

private:
    void showDensity();

    PageHost &host_;
    QComboBox *box_;
    QLabel *densityLabel_;
    std::vector<Material> materials_{steel()};
};

} // namespace mhbk::weights
