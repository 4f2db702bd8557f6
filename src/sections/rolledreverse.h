#pragma once

#include "sections/materialchoice.h"
#include "sections/materials.h"

#include <QObject>
#include <QString>
#include <vector>

class QComboBox;
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
// typed below gives the length L = M / G. A material other than steel scales the table's G by
// its density, as on the other calculators. With a history, every length found is kept there.
class RolledReverse : public QObject {
    Q_OBJECT
public:
    RolledReverse(PageHost &host, QWidget *page, StringGrid *grid, int fields, history::HistoryStore *history);

    QWidget *widget() const { return box_; }

    // The current cell's row, as the grid reports it; a caption or an empty cell clears it.
    void takeRow(int row, int column);
    // The row of the cell that is current before the user picks one (the grid's first row once filled).
    void takeCurrentRowOnce();
    // Reads the density table into the material choice (on every showing of the page). Throws
    // AppError for a damaged table; the choice keeps what it offered.
    void loadMaterials();
    // Enter in the weight input.
    void computeLength();

    // The material chosen beside the table, and a row's G as the page shows it for that material.
    const weights::Material &material() const;
    QString gText(const QString &tableG) const;

private:
    void showG();

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
    weights::MaterialChoice *materials_ = nullptr;
    QString tableG_; // the chosen row's G as the table gives it, for steel
};

} // namespace mhbk
