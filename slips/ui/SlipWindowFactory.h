#pragma once

#include "slips/core/SlipRecording.h"

class QSettings;
class QWidget;

namespace kv::data {
class CCarMaintenanceDoc;
}

namespace kv::masters {
class ItemStore;
class SetStore;
} // namespace kv::masters

namespace kv::print {
class PrinterAccess;
}

namespace kv::slips {

class CDenFrame;
class SlipAccess;

// Which slip a slip window opens: a new one under its allocated number, a
// stored one to modify, or a new one copied from a stored one (transfer).
struct SlipContext {
    SlipMode mode = SlipMode::New;
    int slipNumber = 0;
    // The slip a modify or transfer starts from.
    int sourceSlip = 0;
    int customerCode = 0;
    int vehicleCode = 0;
};

// Builds the slip window with its three panes filled for the context: the
// stored slip's header, lines and totals for modify and transfer (with its
// billing customer), the vehicle's next inspection and, for a new
// inspection, its statutory costs. nullptr after the message when the slip
// or its records cannot be read; the window is shown by the caller and
// deletes itself when closed. Without printers the print commands stay off.
// The line grid expands the sets of sets, if given, for typed "0nnn" codes
// and its set pick list.
CDenFrame* openSlipWindow(data::CCarMaintenanceDoc& document, SlipAccess& access,
                          masters::ItemStore* items, QSettings* profile,
                          const SlipContext& context, QWidget* parent = nullptr,
                          print::PrinterAccess* printers = nullptr,
                          masters::SetStore* sets = nullptr);

} // namespace kv::slips
