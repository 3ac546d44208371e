#pragma once

#include "data/settings/PrinterIdentity.h"

#include <optional>

namespace kv::app {

// The printer-setup dialog: the printer the user chose, nothing when the
// dialog was cancelled. The chosen printer becomes the program's printer.
class PrinterAccess {
public:
    virtual ~PrinterAccess();
    virtual std::optional<data::PrinterIdentity> chooseSetup() = 0;
};

} // namespace kv::app
