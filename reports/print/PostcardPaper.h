#pragma once

#include "print/PageLayout.h"
#include "reports/core/PostcardShifts.h"

namespace kv::reports {

// Japanese postcard paper (100 × 148 mm) upright, in colour, the whole side
// moved by its shift.
print::PageLayout postcardLayout(const PostcardShift& shift, const QString& jobName);

} // namespace kv::reports
