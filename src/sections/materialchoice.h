#pragma once

#include "sections/materials.h"

#include <QString>
#include <QStringList>
#include <vector>

class QComboBox;

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

} // namespace mhbk::weights
