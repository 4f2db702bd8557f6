#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace mhbk::test {

// Texts a user might type or paste where a number is expected, and some they should not.
QStringList hostileTexts();

// Sends each character as a key press the way a keyboard or an input method does; QTest's own
// helper knows only ASCII keys.
void typeText(QWidget *target, const QString &text);

// A shown figure that is not a number at all: NAN, INF or Infinity as a word of its own.
bool looksBroken(const QString &shown);

} // namespace mhbk::test
