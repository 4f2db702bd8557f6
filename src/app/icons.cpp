#include "app/icons.h"

#include <QPainter>
#include <QSvgRenderer>

// Resources compiled into a static library must be registered by hand.
static void registerAppResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(app);
        return true;
    }();
    (void)registered;
}

namespace mhbk {

QIcon treeImage(int index)
{
    registerAppResources();
    return QIcon(QStringLiteral(":/mhbk/resources/tree%1.svg").arg(index));
}

QIcon applicationIcon()
{
    registerAppResources();
    return QIcon(QStringLiteral(":/mhbk/resources/mhbk.svg"));
}

QIcon glyph(const QString &name)
{
    registerAppResources();
    return QIcon(QStringLiteral(":/mhbk/resources/glyph-%1.svg").arg(name));
}

QPixmap picture(const QString &resourceName)
{
    registerAppResources();
    const QString file = resourceName == QLatin1String("LP_SPLASH") ? QStringLiteral(":/mhbk/resources/splash.svg")
                                                                      : QStringLiteral(":/mhbk/resources/about.svg");
    QSvgRenderer renderer(file);
    QPixmap pixmap(renderer.defaultSize());
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

} // namespace mhbk
