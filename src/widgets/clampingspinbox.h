#pragma once

#include <QSpinBox>

namespace mhbk {

// A whole-number spin box that never throws away what is typed. Text beyond the range
// becomes the nearest bound at once (15 in a box of 0 to 10 reads 10, never 1), and an
// emptied box counts as 0 (kept within the range) instead of falling back to the old value.
// Anything that is no whole number is still refused keystroke by keystroke.
class ClampingSpinBox : public QSpinBox {
    Q_OBJECT
public:
    explicit ClampingSpinBox(QWidget *parent = nullptr);

    QValidator::State validate(QString &input, int &pos) const override;
    int valueFromText(const QString &text) const override;
    void fixup(QString &input) const override;
};

} // namespace mhbk
