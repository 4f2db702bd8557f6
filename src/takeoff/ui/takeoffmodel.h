#pragma once

#include "takeoff/takeofflist.h"

#include <QAbstractTableModel>

class QUndoStack;

namespace mhbk::takeoff {

// The list as the window's table shows it. Every change goes through the undo stack as a
// whole-list step (lists are short, and one kind of step cannot get any change wrong).
class TakeoffModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Item, Designation, Material, Quantity, Unit, UnitWeight, Total, Remark, ColumnCount };

    explicit TakeoffModel(QUndoStack &undo, QObject *parent = nullptr);

    const List &list() const { return list_; }

    // Each of these is one undoable step named by `text`.
    void addLine(const Line &line);
    void removeLines(std::vector<int> rows);
    bool moveRow(int from, int to);
    void replaceList(const List &list, const QString &text);

    // Sets the list without an undo step (the steps themselves, loading at start).
    void setList(const List &list);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Numbers must read as numbers (a quantity above 0, a unit weight not below 0); anything
    // else is refused with refused(), and the cell keeps its value.
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

signals:
    void listChanged();
    // Why an edit was not taken, for the user.
    void refused(const QString &message);

private:
    void push(const List &after, const QString &text);

    QUndoStack &undo_;
    List list_;
};

} // namespace mhbk::takeoff
