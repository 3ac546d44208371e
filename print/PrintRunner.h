#pragma once

#include <QImage>
#include <QString>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;
class QPrinter;

namespace kv::print {

class PagePainter;

// Sends one printout to a device: every page to a printer or a PDF file,
// one page to an image. The origin is the paper's top-left corner on every
// device (a printer prints the full page, a PDF page is the paper at 1:1);
// the printout's page offsets move the whole page from there.
class PrintRunner {
public:
    // Paper, orientation, margins (none: the full page), colour and job
    // name of the printout on a printer, before it is painted or previewed.
    static void preparePrinter(const PagePainter& printout, QPrinter& printer);
    // Every page on an open device; false when the device cannot be
    // painted on (a printer that cannot start, a file that cannot be
    // written).
    static bool paint(PagePainter& printout, QPagedPaintDevice& device);
    // Every page into a PDF file; false with the reason when it cannot be
    // written.
    static bool writePdf(PagePainter& printout, const QString& path, QString* error = nullptr);
    // One page (1..count) as a picture of the whole paper, white where
    // nothing is printed.
    static QImage image(PagePainter& printout, int page, int dotsPerInch);

    // One page on a painter already open on the device: the unit becomes a
    // tenth of a millimetre from the paper's corner, moved by the offsets.
    static void paintPage(PagePainter& printout, int page, QPainter& painter,
                          const QPaintDevice& device);
};

} // namespace kv::print
