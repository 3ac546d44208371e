#pragma once

#include "data/settings/DefaultPrinterSource.h"

namespace kv::test {

// A computer without a default printer, so that a document opens without
// asking the print system.
class NoDefaultPrinter final : public kv::data::DefaultPrinterSource {
public:
    Result defaultPrinter(kv::data::PrinterIdentity*) const override { return Result::NoPrinter; }
};

} // namespace kv::test
