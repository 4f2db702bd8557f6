#include "common/reporter.h"

namespace mhbk {

namespace {

// Marks that already end a sentence or close a quotation: a "." after them would be doubled.
bool endsSentence(QChar c)
{
    return QStringView(u"。！？…；：”’」』）】》").contains(c);
}

// The last word holds a path separator: a "." after a path or an address reads as part of it.
bool endsWithPath(const QString &text)
{
    qsizetype start = text.size();
    while (start > 0 && !text[start - 1].isSpace() && text[start - 1] != QChar(u'：'))
        --start;
    const QStringView word = QStringView(text).mid(start);
    return word.contains(u'/') || word.contains(u'\\');
}

} // namespace

QString withFullStop(const QString &text)
{
    if (text.isEmpty() || text.back() <= QLatin1Char('.') || endsSentence(text.back()) || endsWithPath(text))
        return text;
    return text + QLatin1Char('.');
}

void Reporter::reportError(const QString &errorText)
{
    showMessage(withFullStop(errorText), kApplicationTitle, MessageIcon::Critical);
}

void RecordingReporter::showMessage(const QString &text, const QString &caption, MessageIcon icon)
{
    entries_.push_back({text, caption, icon});
}

Answer RecordingReporter::ask(const QString &text, const QString &caption, QuestionKind kind)
{
    entries_.push_back({text, caption, MessageIcon::Question});
    ++questions_;
    if (answers_.empty())
        return kind == QuestionKind::YesNo ? Answer::No : Answer::Cancel;
    const Answer answer = answers_.front();
    answers_.erase(answers_.begin());
    return answer;
}

} // namespace mhbk
