#include "print/PrintRunner.h"

#include "print/PagePainter.h"

#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <cmath>

namespace kv::print {

namespace {

constexpr double kTenthsPerInch = 254.0;
constexpr int kPdfResolution = 1200;

QPageLayout pageLayoutOf(const PageLayout& layout)
{
    return QPageLayout(QPageSize(layout.paper), layout.orientation, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Millimeter, QMarginsF(0, 0, 0, 0));
}

} // namespace

void PrintRunner::preparePrinter(const PagePainter& printout, QPrinter& printer)
{
    const PageLayout layout = printout.layout();
    // Paper and orientation first: a printer that cannot take margins of 0
    // refuses a whole layout, and the full page puts the origin on the
    // paper's corner whatever its margins.
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(layout.paper));
    printer.setPageOrientation(layout.orientation);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    printer.setColorMode(layout.colour ? QPrinter::Color : QPrinter::GrayScale);
    printer.setDocName(layout.jobName);
}

void PrintRunner::paintPage(PagePainter& printout, int page, QPainter& painter,
                            const QPaintDevice& device)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.scale(device.logicalDpiX() / kTenthsPerInch, device.logicalDpiY() / kTenthsPerInch);
    painter.setTransform(printout.layout().offsets.layoutToPaper(), true);
    printout.paintPage(page, painter);
    painter.restore();
}

bool PrintRunner::paint(PagePainter& printout, QPagedPaintDevice& device)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const int pages = printout.pageCount();
    for (int page = 1; page <= pages; ++page) {
        if (page > 1 && !device.newPage()) {
            painter.end();
            return false;
        }
        paintPage(printout, page, painter, device);
    }
    return painter.end();
}

bool PrintRunner::writePdf(PagePainter& printout, const QString& path, QString* error)
{
    const PageLayout layout = printout.layout();
    QPdfWriter writer(path);
    writer.setResolution(kPdfResolution);
    writer.setPageLayout(pageLayoutOf(layout));
    writer.setTitle(layout.jobName);
    writer.setCreator(QStringLiteral("サビオン"));
    // QPdfWriter opens the file only when painting begins.
    if (!paint(printout, writer)) {
        if (error)
            *error = QStringLiteral("%1 に書込めません！").arg(QFileInfo(path).absoluteFilePath());
        return false;
    }
    return true;
}

QImage PrintRunner::image(PagePainter& printout, int page, int dotsPerInch)
{
    const PageLayout layout = printout.layout();
    const QSizeF paper = QPageSize(layout.paper).size(QPageSize::Millimeter);
    QSizeF size = layout.orientation == QPageLayout::Landscape ? paper.transposed() : paper;
    const double dotsPerMm = dotsPerInch / 25.4;
    QImage image(int(std::lround(size.width() * dotsPerMm)),
                 int(std::lround(size.height() * dotsPerMm)), QImage::Format_ARGB32_Premultiplied);
    const int dotsPerMetre = int(std::lround(dotsPerMm * 1000));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintPage(printout, page, painter, image);
    painter.end();
    return image;
}

} // namespace kv::print
