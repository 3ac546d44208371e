#pragma once

#include "print/PageLayout.h"

class QPainter;

namespace kv::print {

// A printout: it says how many pages it has and paints page n (1..count)
// on a painter whose unit is a tenth of a millimetre, x to the right and y
// down from the print origin. Which device the pages go to (printer,
// preview, PDF, image) is the runner's business, as are the page offsets
// of the layout.
class PagePainter {
public:
    virtual ~PagePainter();
    virtual PageLayout layout() const = 0;
    virtual int pageCount() const = 0;
    virtual void paintPage(int page, QPainter& painter) = 0;
};

} // namespace kv::print
