#include "widgets/clampingspinbox.h"

#include <algorithm>

namespace mhbk {

namespace {

bool isDigits(QStringView text)
{
    return std::ranges::all_of(text, [](QChar ch) { return ch >= QLatin1Char('0') && ch <= QLatin1Char('9'); });
}

} // namespace

ClampingSpinBox::ClampingSpinBox(QWidget *parent) : QSpinBox(parent)
{
    // Whatever is left in the box when it loses the focus is made a number in range, not undone.
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

QValidator::State ClampingSpinBox::validate(QString &input, int &pos) const
{
    const bool negative = input.startsWith(QLatin1Char('-'));
    const QStringView digits = QStringView(input).mid(negative ? 1 : 0);
    if (negative && minimum() >= 0)
        return QValidator::Invalid;
    if (digits.isEmpty())
        return negative ? QValidator::Intermediate : QValidator::Acceptable;
    if (!isDigits(digits))
        return QValidator::Invalid;
    // Written back in its plain form: within the range as typed (leading zeros dropped, the
    // caret kept after the same digit), beyond it as the bound with the caret at the end.
    bool ok = false;
    const qlonglong typed = input.toLongLong(&ok);
    const int value = valueFromText(input);
    const QString plain = QString::number(value);
    if (plain != input) {
        const bool inRange = ok && typed == value;
        pos = inRange ? std::max(0, pos - int(input.size() - plain.size())) : int(plain.size());
        input = plain;
    }
    return QValidator::Acceptable;
}

int ClampingSpinBox::valueFromText(const QString &text) const
{
    if (text.isEmpty() || text == QLatin1String("-"))
        return std::clamp(0, minimum(), maximum());
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (!ok)  // more digits than any integer holds: beyond every bound
        return text.startsWith(QLatin1Char('-')) ? minimum() : maximum();
    return int(std::clamp<qlonglong>(value, minimum(), maximum()));
}

void ClampingSpinBox::fixup(QString &input) const
{
    input = QString::number(valueFromText(input));
}

} // namespace mhbk
