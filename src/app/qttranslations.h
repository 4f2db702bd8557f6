#pragma once

#include <QLocale>

class QCoreApplication;
class QTranslator;

namespace mhbk {

// The locale whose translation Qt's own dialogs and menus (file and print dialogs, the
// overwrite question, the edit menu of every input) should use: the system's when it is
// Chinese, Simplified Chinese otherwise, since everything else the program shows is.
QLocale qtTranslationLocale(const QLocale &systemLocale);

// Loads Qt's translation for that locale from Qt's translation folder and installs it on
// `app`, which owns it. Falls back to Simplified Chinese when the system's Chinese variant
// has no catalogue. Returns nullptr, and leaves Qt in English, when no catalogue is found.
QTranslator *installQtTranslations(QCoreApplication &app, const QLocale &systemLocale = QLocale::system());

// Makes that locale the default one, for what Qt words from the locale rather than from a
// catalogue: file types, sizes and dates in the file dialogs, the print dialog's paper names.
// Our own figures do not depend on it: they are written by the number formatters, and the
// calculator's decimal point is the system's own.
void useQtTranslationLocale(const QLocale &systemLocale = QLocale::system());

} // namespace mhbk
