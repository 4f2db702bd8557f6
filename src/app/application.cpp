#include "app/application.h"

#include "common/errors.h"
#include "common/reporter.h"

#include <QFont>
#include <QFontDatabase>

namespace mhbk {

Application::Application(int &argc, char **argv) : QApplication(argc, argv) {}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const AppError &e) {
        if (reporter_)
            reporter_->reportError(e.message());
    } catch (const std::exception &e) {
        if (reporter_)
            reporter_->reportError(QString::fromUtf8(e.what()));
    }
    return true;
}

void applyChineseFont(QApplication &app)
{
    const QString songTi = QStringLiteral("宋体");
    QFont::insertSubstitutions(songTi, {QStringLiteral("SimSun"), QStringLiteral("Noto Serif CJK SC"),
                                        QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Micro Hei"),
                                        QStringLiteral("AR PL UMing CN")});
    QFont font(songTi);
    font.setPixelSize(12);
    app.setFont(font);
}

} // namespace mhbk
