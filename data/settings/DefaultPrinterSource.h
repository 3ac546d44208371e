#pragma once

#include "data/settings/PrinterIdentity.h"

namespace kv::data {

// Where the default printer comes from: the platform's print system, or a
// fixed answer in tests.
class DefaultPrinterSource {
public:
    enum class Result { NoPrinter, Found, Failed };
    virtual ~DefaultPrinterSource();
    virtual Result defaultPrinter(PrinterIdentity* printer) const = 0;
};

} // namespace kv::data
