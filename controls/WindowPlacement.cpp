#include "controls/WindowPlacement.h"

#include <QSettings>
#include <QWidget>

namespace kv {

namespace {
QString key(const QString& section, const char* name)
{
    return section + QLatin1Char('/') + QLatin1String(name);
}
} // namespace

void WindowPlacement::restore(QWidget& window, const QSettings* profile, const QString& section,
                              QSize defaultSize, std::optional<QPoint> defaultPlace)
{
    if (!profile) {
        window.resize(defaultSize);
        if (defaultPlace)
            window.move(*defaultPlace);
        return;
    }
    window.resize(profile->value(key(section, "cx"), defaultSize.width()).toInt(),
                  profile->value(key(section, "cy"), defaultSize.height()).toInt());
    if (profile->contains(key(section, "x")) && profile->contains(key(section, "y")))
        window.move(profile->value(key(section, "x")).toInt(),
                    profile->value(key(section, "y")).toInt());
    else if (defaultPlace)
        window.move(*defaultPlace);
}

std::optional<QPoint> WindowPlacement::besideMainWindow(const QWidget* opener)
{
    if (!opener)
        return std::nullopt;
    const QWidget* window = opener->window();
    while (window->parentWidget())
        window = window->parentWidget()->window();
    return window->pos() + QPoint(7, 86);
}

void WindowPlacement::store(const QWidget& window, QSettings* profile, const QString& section)
{
    if (!profile || window.isMinimized() || window.isMaximized())
        return;
    profile->setValue(key(section, "x"), window.x());
    profile->setValue(key(section, "y"), window.y());
    profile->setValue(key(section, "cx"), window.width());
    profile->setValue(key(section, "cy"), window.height());
}

} // namespace kv
