#include "common/reporter.h"

namespace mhbk {

QString withFullStop(const QString &text)
{
    if (!text.isEmpty() && text.back() > QLatin1Char('.'))
        return text + QLatin1Char('.');
    return text;
}

void Reporter::reportError(const QString &errorText)
{
    showMessage(withFullStop(errorText), kApplicationTitle, MessageIcon::Critical);
}

void RecordingReporter::showMessage(const QString &text, const QString &caption, MessageIcon icon)
{
    entries_.push_back({text, caption, icon});
}

} // namespace mhbk
