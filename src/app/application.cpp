#include "app/application.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

namespace mhbk {

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
