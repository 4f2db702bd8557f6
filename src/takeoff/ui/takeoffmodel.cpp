#include "takeoff/ui/takeoffmodel.h"

#include <QLocale>
#include <QUndoCommand>
#include <QUndoStack>
#include <algorithm>
#include <cmath>
#include <optional>

namespace mhbk::takeoff {

namespace {

class ListStep : public QUndoCommand {
public:
    ListStep(TakeoffModel &model, List before, List after, const QString &text)
        : QUndoCommand(text), model_(model), before_(std::move(before)), after_(std::move(after))
    {
    }
    void undo() override { model_.setList(before_); }
    void redo() override { model_.setList(after_); }

private:
    TakeoffModel &model_;
    List before_;
    List after_;
};

std::optional<double> parseNumber(const QVariant &value)
{
    bool ok = false;
    const double number = value.toString().trimmed().toDouble(&ok);
    return ok && std::isfinite(number) ? std::optional<double>(number) : std::nullopt;
}

// The whole figure for the editor: a value the user leaves as it is must stay the same number,
// not become the three decimals the column shows.
QString editText(double value) { return QString::number(value, 'g', QLocale::FloatingPointShortest); }

} // namespace

TakeoffModel::TakeoffModel(QUndoStack &undo, QObject *parent) : QAbstractTableModel(parent), undo_(undo) {}

void TakeoffModel::push(const List &after, const QString &text)
{
    undo_.push(new ListStep(*this, list_, after, text));
}

void TakeoffModel::addLine(const Line &line)
{
    List after = list_;
    after.push_back(line);
    push(after, QStringLiteral("加入清单"));
}

void TakeoffModel::removeLines(std::vector<int> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    List after = list_;
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        if (*it >= 0 && *it < static_cast<int>(after.size()))
            after.erase(after.begin() + *it);
    }
    if (after.size() != list_.size())
        push(after, QStringLiteral("删除行"));
}

bool TakeoffModel::moveRow(int from, int to)
{
    List after = list_;
    if (from == to || !moveLine(after, from, to))
        return false;
    push(after, QStringLiteral("移动行"));
    return true;
}

void TakeoffModel::replaceList(const List &list, const QString &text) { push(list, text); }

void TakeoffModel::setList(const List &list)
{
    if (list.size() == list_.size() && !list_.empty()) {
        // Same rows (an edit, a move): the view keeps its current cell and selection.
        list_ = list;
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
    } else {
        beginResetModel();
        list_ = list;
        endResetModel();
    }
    emit listChanged();
}

int TakeoffModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(list_.size());
}

int TakeoffModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant TakeoffModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Line &line = list_[static_cast<std::size_t>(index.row())];
    if (role == Qt::TextAlignmentRole) {
        const bool number = index.column() == Quantity || index.column() == UnitWeight || index.column() == Total;
        return static_cast<int>(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    switch (index.column()) {
    case Item: return line.item;
    case Designation: return line.designation;
    case Material: return line.material;
    case Quantity: return role == Qt::EditRole ? editText(line.quantity) : numberText(line.quantity);
    case Unit: return line.unit;
    // Editing starts from the whole figure; the column shows the weight to three decimals.
    case UnitWeight: return role == Qt::EditRole ? editText(line.unitWeight) : weightText(line.unitWeight);
    case Total: return role == Qt::EditRole ? editText(line.totalWeight()) : weightText(line.totalWeight());
    case Remark: return line.remark;
    default: return {};
    }
}

QVariant TakeoffModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    static const char *const captions[] = {"项目", "规格", "材质", "数量", "单位", "单重(kg)", "总重(kg)", "备注"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(captions[section]) : QVariant();
}

Qt::ItemFlags TakeoffModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() != Total)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool TakeoffModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.row() >= rowCount())
        return false;
    List after = list_;
    Line &line = after[static_cast<std::size_t>(index.row())];
    const QString text = value.toString();
    switch (index.column()) {
    case Item: line.item = text.trimmed(); break;
    case Designation: line.designation = text.trimmed(); break;
    case Material: line.material = text.trimmed(); break;
    case Unit: line.unit = text.trimmed(); break;
    case Remark: line.remark = text; break;
    case Quantity:
    case UnitWeight: {
        const bool quantity = index.column() == Quantity;
        const auto number = parseNumber(value);
        if (!number || (quantity ? *number <= 0 : *number < 0)) {
            emit refused(QStringLiteral("“%1”不能作为%2：%3，原值保持不变。")
                             .arg(text.trimmed(), quantity ? QStringLiteral("数量") : QStringLiteral("单重"),
                                  quantity ? QStringLiteral("请输入大于 0 的数字") : QStringLiteral("请输入不小于 0 的数字")));
            return false;
        }
        (quantity ? line.quantity : line.unitWeight) = *number;
        break;
    }
    default: return false;
    }
    if (after == list_)
        return true;
    push(after, QStringLiteral("修改“%1”").arg(headerData(index.column(), Qt::Horizontal, Qt::DisplayRole).toString()));
    return true;
}

} // namespace mhbk::takeoff
