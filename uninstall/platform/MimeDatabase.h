#pragma once

#include <QString>

namespace kv::uninstall {

// Rebuilds the shared-mime-info cache of a MIME folder, so a type whose
// package went is no longer known. Quietly nothing when the tool is missing.
void refreshMimeDatabase(const QString& mimeFolder);

} // namespace kv::uninstall
