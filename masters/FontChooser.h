#pragma once

#include <QFont>

#include <optional>

class QWidget;

namespace kv::masters {

// The system's font dialog, behind an interface so that tests can choose.
class FontChooser {
public:
    virtual ~FontChooser();
    // The chosen font, nullopt when the dialog was cancelled.
    virtual std::optional<QFont> choose(const QFont& initial, QWidget* parent) = 0;

    // The font dialog of the platform.
    static FontChooser& system();
};

} // namespace kv::masters
