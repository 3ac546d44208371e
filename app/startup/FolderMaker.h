#pragma once

#include <QString>

namespace kv::app {

// Creates one folder level. Tests record the levels instead.
class FolderMaker {
public:
    enum class Result { Created, AlreadyExists, Failed };
    virtual ~FolderMaker();
    // error receives the system's error code when the result is Failed.
    virtual Result makeFolder(const QString& path, int* error) = 0;
};

} // namespace kv::app
