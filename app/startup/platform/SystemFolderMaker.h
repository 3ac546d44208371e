#pragma once

#include "app/startup/FolderMaker.h"

namespace kv::app {

// Folder creation through the operating system.
// A network share ("//computer/share") is only used, never created.
class SystemFolderMaker final : public FolderMaker {
public:
    Result makeFolder(const QString& path, int* error) override;
};

} // namespace kv::app
