#pragma once

#include "takeoff/takeofflist.h"

#include <QDialog>
#include <optional>

class QLineEdit;
class QPushButton;

namespace mhbk::takeoff {

// Asks how much of a table row goes on the list: the length in metres (or the area for a
// plate). Enter accepts, Esc cancels; 确定 is enabled only for a positive number.
class QuantityDialog : public QDialog {
    Q_OBJECT
public:
    QuantityDialog(const Line &line, QWidget *parent = nullptr);

    std::optional<double> quantity() const;
    QLineEdit *edit() const { return edit_; }

    // Shows the dialog; nothing when it was cancelled.
    static std::optional<double> ask(const Line &line, QWidget *parent);

private:
    QLineEdit *edit_ = nullptr;
    QPushButton *ok_ = nullptr;
};

} // namespace mhbk::takeoff
