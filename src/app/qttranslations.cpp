#include "app/qttranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace mhbk {

namespace {

QLocale simplifiedChinese()
{
    return QLocale(QLocale::Chinese, QLocale::SimplifiedHanScript, QLocale::China);
}

} // namespace

QLocale qtTranslationLocale(const QLocale &systemLocale)
{
    return systemLocale.language() == QLocale::Chinese ? systemLocale : simplifiedChinese();
}

void useQtTranslationLocale(const QLocale &systemLocale) { QLocale::setDefault(qtTranslationLocale(systemLocale)); }

QTranslator *installQtTranslations(QCoreApplication &app, const QLocale &systemLocale)
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // A Chinese variant without a catalogue of its own takes the one of its script.
    const QLocale wanted = qtTranslationLocale(systemLocale);
    const QLocale sameScript = wanted.script() == QLocale::TraditionalHanScript
                                   ? QLocale(QLocale::Chinese, QLocale::TraditionalHanScript, QLocale::Taiwan)
                                   : simplifiedChinese();
    auto *translator = new QTranslator(&app);
    // "qt" names the catalogue that pulls in those of every Qt module.
    auto load = [&](const QLocale &locale) {
        return translator->load(locale, QStringLiteral("qt"), QStringLiteral("_"), folder);
    };
    const bool loaded = load(wanted) || load(sameScript) || load(simplifiedChinese());
    if (!loaded || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

} // namespace mhbk
