#pragma once

#include <QObject>
#include <QString>

class QLabel;
class QLineEdit;
class QWidget;

namespace mhbk {

class PageHost;
class StringGrid;

namespace history {
class HistoryStore;
}

// The reverse calculation under a rolled-section table: the row the user picks gives its
// designation and theoretical weight G (the last field of each block), and a total weight M
// typed below gives the length L = M / G. With a history, every length found is kept there.
class RolledReverse : public QObject {
    Q_OBJECT
public:
    RolledReverse(PageHost &host, QWidget *page, StringGrid *grid, int fields, history::HistoryStore *history);

    QWidget *widget() const { return box_; }

    // The current cell's row, as the grid reports it; a caption or an empty cell clears it.
    void takeRow(int row, int column);
    // The row of the cell that is current before the user picks one (the grid's first row once filled).
    void takeCurrentRowOnce();
    // Enter in the weight input.
    void computeLength();

private:
    PageHost &host_;
    StringGrid *grid_;
    int fields_;
    history::HistoryStore *history_;
    QString pageCaption_;
    bool tookFirstRow_ = false;
    QWidget *box_ = nullptr;
    QLabel *designation_ = nullptr;
    QLineEdit *gEdit_ = nullptr;
    QLineEdit *weightEdit_ = nullptr;
    QLineEdit *lengthEdit_ = nullptr;
};

} // namespace mhbk
