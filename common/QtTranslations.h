#pragma once

#include "common/KVCommonExport.h"

#include <QString>

namespace kv {

// Qt's own texts (the buttons of message boxes, the file, font and print
// dialogs, the print preview) in Japanese, whatever the desktop's language.
class KVCOMMON_EXPORT QtTranslations {
public:
    // Loads Qt's Japanese catalogues from Qt's translations folder, or from
    // folder when given; false when none was found (the texts stay English).
    static bool install(const QString& folder = {});
};

} // namespace kv
