#pragma once

#include "common/reporter.h"

#include <functional>

class QWidget;

namespace mhbk {

// Shows messages as modal message boxes over the main window (once there is one).
class MessageBoxReporter : public Reporter {
public:
    void setOwner(std::function<QWidget *()> owner) { owner_ = std::move(owner); }
    void showMessage(const QString &text, const QString &caption, MessageIcon icon) override;
    Answer ask(const QString &text, const QString &caption, QuestionKind kind) override;

private:
    std::function<QWidget *()> owner_;
};

} // namespace mhbk
