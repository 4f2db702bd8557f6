#include "takeoff/ui/quantitydialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

namespace mhbk::takeoff {

QuantityDialog::QuantityDialog(const Line &line, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgTakeoffQuantity"));
    setWindowTitle(QStringLiteral("加入清单"));
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("项目："), new QLabel(line.item, this));
    form->addRow(QStringLiteral("规格："), new QLabel(line.designation, this));
    form->addRow(QStringLiteral("单重："), new QLabel(weightText(line.unitWeight) + QStringLiteral(" kg/") + line.unit, this));
    edit_ = new QLineEdit(this);
    edit_->setObjectName(QStringLiteral("edQuantity"));
    const bool area = line.unit == QStringLiteral("m2");
    form->addRow(area ? QStringLiteral("面积(&A) (m2)：") : QStringLiteral("长度(&L) (m)："), edit_);
    auto *buttons = new QDialogButtonBox(this);
    ok_ = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    ok_->setDefault(true);
    ok_->setEnabled(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(edit_, &QLineEdit::textChanged, this, [this] { ok_->setEnabled(quantity().has_value()); });
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    edit_->setFocus();
}

std::optional<double> QuantityDialog::quantity() const
{
    bool ok = false;
    const double value = edit_->text().trimmed().toDouble(&ok);
    return ok && std::isfinite(value) && value > 0 ? std::optional<double>(value) : std::nullopt;
}

std::optional<double> QuantityDialog::ask(const Line &line, QWidget *parent)
{
    QuantityDialog dialog(line, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.quantity();
}

} // namespace mhbk::takeoff
