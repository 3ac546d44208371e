#pragma once

#include <QString>

namespace kv::app {

class FolderMaker;

// Creates every missing level of a local path or of a network path
// "//computer/share/...", level by level; existing levels are passed over.
// A failure shows the folder and the error code and gives false; a network
// path with nothing after the computer name too.
bool CreateFolderPath(const QString& path, FolderMaker& maker);
bool CreateFolderPath(const QString& path);

} // namespace kv::app
