#pragma once

#include "data/document/CCarMaintenanceDoc.h"
#include "data/settings/DefaultPrinterSource.h"

#include <QTemporaryDir>

#include <memory>

namespace kv::bench {

// Ends the benchmark run with the reason when a set-up step failed.
void check(bool ok, const char* what);

// A document of the server on a fresh data folder in a temporary folder,
// without a printer and with room on the disk.
struct FreshDocument {
    class NoPrinter final : public kv::data::DefaultPrinterSource {
    public:
        Result defaultPrinter(kv::data::PrinterIdentity*) const override { return Result::NoPrinter; }
    };

    FreshDocument();

    QTemporaryDir dir;
    NoPrinter printers;
    std::unique_ptr<kv::data::CCarMaintenanceDoc> doc;
};

} // namespace kv::bench
