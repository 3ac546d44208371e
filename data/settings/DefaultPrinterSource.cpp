#include "data/settings/DefaultPrinterSource.h"

namespace kv::data {

DefaultPrinterSource::~DefaultPrinterSource() = default;

} // namespace kv::data
