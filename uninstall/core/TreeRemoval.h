#pragma once

#include <QString>

namespace kv::uninstall {

// Removes a file, a link or a folder with everything in it. Symbolic links
// are removed as links and never followed, so nothing outside the tree is
// touched. Goes on past an entry it cannot remove, so as much goes as can;
// false, with the first entry that stayed in *left, when anything stayed.
// A path that does not exist counts as removed.
bool removeTree(const QString& path, QString* left = nullptr);

} // namespace kv::uninstall
