#pragma once

#include <QApplication>

namespace mhbk {

class Reporter;

// The application object: catches what an event handler lets escape, so no error ends the
// program; the error goes to the general error report instead.
class Application : public QApplication {
public:
    Application(int &argc, char **argv);
    void setReporter(Reporter *reporter) { reporter_ = reporter; }
    bool notify(QObject *receiver, QEvent *event) override;

private:
    Reporter *reporter_ = nullptr;
};

// Asks for the Simplified Chinese face of 宋体 at 12 pixels, so no Japanese glyph variants appear.
void applyChineseFont(QApplication &app);

} // namespace mhbk
