#pragma once

#include <QObject>

class QTableView;

namespace mhbk {

// Lets the user drag a column's right edge anywhere in a grid's body to widen or narrow it,
// and fits the column to its texts on a double click there. The handbook grids show their
// captions as ordinary cells, with no header to drag, and long texts (the formula notes)
// would otherwise stay cut off. Owned by the view.
class ColumnSizer : public QObject {
    Q_OBJECT
public:
    explicit ColumnSizer(QTableView &view);

    // The column whose right edge is within reach of this viewport x, or -1.
    int edgeAt(int x) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool mousePress(int x);
    bool mouseMove(int x, bool buttonDown);
    bool mouseDoubleClick(int x);

    QTableView &view_;
    // Kept apart from the view: the filter still sees the viewport's last events while the view
    // itself is being destroyed, when no member of the view may be called.
    QObject *viewport_;
    int column_ = -1;  // the column being dragged
    int grabX_ = 0;
    int grabWidth_ = 0;
};

} // namespace mhbk
