#pragma once

#include "data/document/CCarMaintenanceDoc.h"
#include "data/settings/DefaultPrinterSource.h"

#include <QTemporaryDir>

#include <memory>

namespace kv::bench {

// Ends the benchmark run with the reason when a set-up step failed.
void check(bool ok, const char* what);

// A document of the server on a fresh data folder in a temporary folder,
// without a printer and with room on the disk; or on a copy of a data
// folder (the generated full-size one), so that writing leaves it as it was.
struct FreshDocument {
    class NoPrinter final : public kv::data::DefaultPrinterSource {
    public:
        Result defaultPrinter(kv::data::PrinterIdentity*) const override { return Result::NoPrinter; }
    };

    FreshDocument();
    explicit FreshDocument(const QString& copyOf);

    QTemporaryDir dir;
    NoPrinter printers;
    std::unique_ptr<kv::data::CCarMaintenanceDoc> doc;

private:
    void open();
};

} // namespace kv::bench
