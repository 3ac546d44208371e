#pragma once

#include "adapter/TLX_K5.h"

namespace tlx {

// A call notice line, split at blanks and '/': a first field, the number,
// the date and the time, then either a field marked "C" (form 0) or two
// more fields and one marked "D" (form 1). The notice is zero-filled first;
// false when the line is no notice and must be dropped.
bool parseNotice(const char* line, TlxCallNotice& notice);

} // namespace tlx
