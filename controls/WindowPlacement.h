#pragma once

#include <QPoint>
#include <QSize>
#include <QString>

#include <optional>

class QSettings;
class QWidget;

namespace kv {

// A window's place and size in the profile: "x", "y", "cx" and "cy" under
// the window's section.
struct WindowPlacement {
    // Sized from the profile (else defaultSize) and placed where the profile
    // says, else at defaultPlace when there is one.
    static void restore(QWidget& window, const QSettings* profile, const QString& section,
                        QSize defaultSize, std::optional<QPoint> defaultPlace = {});
    // Where a window the main window opens starts: 7 pixels right of the
    // main window's left edge and 86 below its top; none without an opener.
    static std::optional<QPoint> besideMainWindow(const QWidget* opener);
    // Kept unless the window is minimised or maximised.
    static void store(const QWidget& window, QSettings* profile, const QString& section);
};

} // namespace kv
