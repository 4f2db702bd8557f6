#pragma once

#include <QString>
#include <vector>

namespace mhbk {

enum class MessageIcon { None, Information, Warning, Critical, Question };

// The answer to a question with the buttons 保存 / 不保存 / 取消 (and 全部保存 / 全部不保存 when
// several pieces of work are asked about in turn), or 是 / 否 (Save / Discard).
enum class Answer { Save, Discard, Cancel, SaveAll, DiscardAll, Yes = Save, No = Discard };

// Which buttons a question offers.
enum class QuestionKind {
    SaveDiscardCancel,    // 保存 / 不保存 / 取消; closing the box is 取消
    YesNo,                // 是 / 否; closing the box is 否
    SaveDiscardAllCancel, // 保存 / 不保存 / 全部保存 / 全部不保存 / 取消; closing the box is 取消
};

// Every message box of the program and the general error report go through this one
// interface, so that tests can record them instead of blocking on a modal dialog.
class Reporter {
public:
    virtual ~Reporter() = default;

    // A modal message box with one OK button; returns when the user has dismissed it.
    virtual void showMessage(const QString &text, const QString &caption, MessageIcon icon) = 0;

    // A modal question; returns the button the user chose.
    virtual Answer ask(const QString &text, const QString &caption, QuestionKind kind) = 0;

    // The general error report for an error that escaped an event handler: the error's
    // text with the full-stop rule, the application title as caption and the stop icon.
    void reportError(const QString &errorText);
};

// The application title used as the caption of the general error report.
inline const QString kApplicationTitle = QStringLiteral("五金手册");

// A full stop is added when the text's last character sorts after ".", so messages read as
// sentences; not after a mark that already ends one (。！？”…) nor after a path or address.
QString withFullStop(const QString &text);

// Keeps every message instead of showing it; for tests and for batch runs.
class RecordingReporter : public Reporter {
public:
    struct Entry {
        QString text;
        QString caption;
        MessageIcon icon;
    };

    void showMessage(const QString &text, const QString &caption, MessageIcon icon) override;

    // Questions are recorded as entries with the Question icon and answered from the queue
    // given to answerWith, in order; with the queue empty every question is cancelled (or
    // answered 否), the safe answer that changes nothing.
    Answer ask(const QString &text, const QString &caption, QuestionKind kind) override;
    void answerWith(std::vector<Answer> answers) { answers_ = std::move(answers); }
    std::size_t questionCount() const { return questions_; }

    const std::vector<Entry> &entries() const { return entries_; }
    bool empty() const { return entries_.empty(); }
    std::size_t size() const { return entries_.size(); }
    const Entry &last() const { return entries_.back(); }
    void clear() { entries_.clear(); }

private:
    std::vector<Entry> entries_;
    std::vector<Answer> answers_;
    std::size_t questions_ = 0;
};

} // namespace mhbk
