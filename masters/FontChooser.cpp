#include "masters/FontChooser.h"

#include <QFontDialog>

namespace kv::masters {

FontChooser::~FontChooser() = default;

namespace {
class SystemFontChooser final : public FontChooser {
public:
    std::optional<QFont> choose(const QFont& initial, QWidget* parent) override
    {
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, initial, parent);
        if (!ok)
            return std::nullopt;
        return font;
    }
};
} // namespace

FontChooser& FontChooser::system()
{
    static SystemFontChooser chooser;
    return chooser;
}

} // namespace kv::masters
