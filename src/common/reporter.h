#pragma once

#include <QString>
#include <vector>

namespace mhbk {

enum class MessageIcon { None, Information, Warning, Critical, Question };

// Every message box of the program and the general error report go through this one
// interface, so that tests can record them instead of blocking on a modal dialog.
class Reporter {
public:
    virtual ~Reporter() = default;

    // A modal message box with one OK button; returns when the user has dismissed it.
    virtual void showMessage(const QString &text, const QString &caption, MessageIcon icon) = 0;

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

    const std::vector<Entry> &entries() const { return entries_; }
    bool empty() const { return entries_.empty(); }
    std::size_t size() const { return entries_.size(); }
    const Entry &last() const { return entries_.back(); }
    void clear() { entries_.clear(); }

private:
    std::vector<Entry> entries_;
};

} // namespace mhbk
