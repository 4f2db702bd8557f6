#include "sections/materialchoice.h"

#include <QComboBox>
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

} // namespace mhbk::weights
