#include "sections/materialchoice.h"

#include "common/guarded.h"
#include "common/pagehost.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QCompleter>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QSaveFile>
#include <algorithm>

namespace mhbk::weights {

std::vector<Material> inRecentOrder(std::vector<Material> materials, const QStringList &recent)
{
    const auto rank = [&](const Material &m) {
        if (m.name == steel().name)
            return -1;
        const qsizetype at = recent.indexOf(m.name);
        return at < 0 ? static_cast<int>(recent.size()) : static_cast<int>(at);
    };
    std::stable_sort(materials.begin(), materials.end(),
                     [&](const Material &a, const Material &b) { return rank(a) < rank(b); });
    return materials;
}

RecentMaterials::RecentMaterials(const QString &folder)
    : file_(folder.isEmpty() ? QString() : QDir(folder).filePath(QStringLiteral("recent-materials.txt")))
{
}

QStringList RecentMaterials::names() const
{
    QFile file(file_);
    if (file_.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList names = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    names.removeDuplicates();
    return names.mid(0, kMax);
}

void RecentMaterials::add(const QString &name) const
{
    if (file_.isEmpty() || name.isEmpty())
        return;
    QStringList names = this->names();
    names.removeAll(name);
    names.prepend(name);
    // An order that cannot be kept is no reason to trouble the user: the choice itself stands.
    QDir().mkpath(QFileInfo(file_).absolutePath());
    QSaveFile file(file_);
    if (file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        file.write((names.mid(0, kMax).join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
        file.commit();
    }
}

void makeTypeable(QComboBox &box)
{
    box.setEditable(true);
    box.setInsertPolicy(QComboBox::NoInsert);
    auto *completer = new QCompleter(box.model(), &box);
    completer->setFilterMode(Qt::MatchContains);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    box.setCompleter(completer);
    QObject::connect(box.lineEdit(), &QLineEdit::editingFinished, &box, [&box] {
        const int named = box.findText(box.currentText(), Qt::MatchFixedString);
        if (named >= 0 && named != box.currentIndex())
            box.setCurrentIndex(named);
        else if (named < 0)
            box.setEditText(box.itemText(box.currentIndex()));
    });
}

MaterialChoice::MaterialChoice(PageHost &host, QWidget *parent, const QString &objectPrefix)
    : QObject(parent), host_(host), box_(new QComboBox(parent)), densityLabel_(new QLabel(parent))
{
    box_->setObjectName(objectPrefix + QStringLiteral("_Material"));
    box_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box_->setMinimumContentsLength(14);
    box_->addItem(materials_.front().name);
    makeTypeable(*box_);
    densityLabel_->setObjectName(objectPrefix + QStringLiteral("_Density"));
    showDensity();
    connectGuarded(box_, &QComboBox::currentIndexChanged, this, host.reporter(), [this] {
        RecentMaterials(host_.userDataFolder()).add(current().name);
        showDensity();
        emit chosen();
    });
}

const Material &MaterialChoice::current() const
{
    const int index = box_->currentIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= materials_.size())
        return materials_.front();
    return materials_[static_cast<std::size_t>(index)];
}

void MaterialChoice::reload()
{
    std::vector<Material> read = inRecentOrder(readMaterials(host_.database()), RecentMaterials(host_.userDataFolder()).names());
    if (read.empty())
        read.push_back(steel()); // a table of no rows still leaves steel to weigh with
    const QString chosenName = current().name;
    const QSignalBlocker blocker(box_);
    materials_ = std::move(read);
    box_->clear();
    int index = 0;
    for (std::size_t i = 0; i < materials_.size(); ++i) {
        box_->addItem(materials_[i].name);
        box_->setItemData(static_cast<int>(i), densityCaption(materials_[i]), Qt::ToolTipRole);
        if (materials_[i].name == chosenName)
            index = static_cast<int>(i);
    }
    box_->setCurrentIndex(index);
    showDensity();
}

void MaterialChoice::showDensity()
{
    densityLabel_->setText(QStringLiteral("密度：") + densityCaption(current()));
}

} // namespace mhbk::weights
