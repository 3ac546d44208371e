#include "print/PagePainter.h"

namespace kv::print {

PagePainter::~PagePainter() = default;

} // namespace kv::print
