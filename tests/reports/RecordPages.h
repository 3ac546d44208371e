#pragma once

#include "print/PagePainter.h"
#include "print/PrintRunner.h"
#include "support/RecordingPaintDevice.h"

#include <QPainter>

namespace kv::test {

// Every page of a printout on one recording device.
inline void recordPages(kv::print::PagePainter& printout, RecordingPaintDevice& device)
{
    QPainter painter(&device);
    for (int page = 1; page <= printout.pageCount(); ++page) {
        if (page > 1)
            device.nextPage();
        kv::print::PrintRunner::paintPage(printout, page, painter, device);
    }
}

} // namespace kv::test
