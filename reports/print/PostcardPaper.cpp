#include "reports/print/PostcardPaper.h"

namespace kv::reports {

print::PageLayout postcardLayout(const PostcardShift& shift, const QString& jobName)
{
    print::PageLayout layout;
    layout.paper = QPageSize::Postcard;
    layout.orientation = QPageLayout::Portrait;
    layout.colour = true;
    layout.jobName = jobName;
    // The layout point (left, -top) falls on the card's corner.
    layout.offsets.left = -shift.right;
    layout.offsets.top = shift.down;
    return layout;
}

} // namespace kv::reports
