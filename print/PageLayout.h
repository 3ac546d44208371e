#pragma once

#include "print/PageOffsets.h"

#include <QPageLayout>
#include <QPageSize>
#include <QString>

namespace kv::print {

// What a printout asks of the paper and of the print job; the runner sets
// it on whatever device the pages go to.
struct PageLayout {
    QPageSize::PageSizeId paper = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    // Colour ink; false prints in greys.
    bool colour = true;
    // The name the job carries in the print queue.
    QString jobName;
    // Where the whole page is moved to on the paper.
    PageOffsets offsets;
};

} // namespace kv::print
