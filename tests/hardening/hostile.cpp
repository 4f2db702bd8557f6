#include "hardening/hostile.h"

#include <QApplication>
#include <QKeyEvent>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>
#include <QWidget>

namespace mhbk::test {

QStringList hostileTexts()
{
    QStringList texts{
        QStringLiteral("abc"),
        QStringLiteral("1.2.3"),
        QStringLiteral("..."),
        QStringLiteral("."),
        QStringLiteral("-"),
        QStringLiteral("１２３．５"),          // full-width digits and point
        QStringLiteral("三十"),
        QStringLiteral("1e400"),
        QStringLiteral("-1e-400"),
        QStringLiteral("0"),
        QStringLiteral("-0.0"),
        QStringLiteral("99999999999999999999999"),
        QStringLiteral("1,5"),
        QStringLiteral("'; DROP TABLE circle; --"),
        QStringLiteral("\"\""),
        QStringLiteral("((((((((((1"),
        QStringLiteral("=1/0"),
        QStringLiteral(" 12 "),
        QString(5000, QLatin1Char('9')),
        QString(3000, QChar(0x4E94)),          // 五五五…
    };
    QRandomGenerator random(20261207);         // fixed seed: a failure can be replayed
    for (int i = 0; i < 6; ++i) {
        QString junk;
        const int length = 1 + random.bounded(40);
        for (int k = 0; k < length; ++k)
            junk += QChar(static_cast<char16_t>(0x20 + random.bounded(0x5F)));
        texts << junk;
    }
    return texts;
}

void typeText(QWidget *target, const QString &text)
{
    for (QChar ch : text) {
        QWidget *receiver = QApplication::focusWidget() ? QApplication::focusWidget() : target;
        if (ch.unicode() < 0x7F && ch.unicode() >= 0x20) {
            QTest::keyClick(receiver, ch.toLatin1());
            continue;
        }
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(receiver, &press);
        QApplication::sendEvent(receiver, &release);
    }
}

bool looksBroken(const QString &shown)
{
    // Whole words only: "info" or "Infrared" in a caption is no broken figure, "-INF",
    // "nan" and "1.#INF" are.
    static const QRegularExpression notANumber(QStringLiteral("(?<![A-Za-z])(nan|inf|infinity)(?![A-Za-z])"),
                                               QRegularExpression::CaseInsensitiveOption);
    return notANumber.match(shown).hasMatch();
}

} // namespace mhbk::test
