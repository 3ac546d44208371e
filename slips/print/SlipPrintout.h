#pragma once

#include "print/PagePainter.h"
#include "slips/core/SlipPrintData.h"
#include "slips/core/SlipPrintPages.h"

#include <QColor>
#include <QFont>

namespace kv::print {
class PageCanvas;
}

namespace kv::slips {

// The printed slip on A4: every page carries the title, the shop (on the
// customer's copies), the addressee, the slip, vehicle and engine tables
// and 30 rows of the line grid; the first page of each copy carries the
// totals, or for a work order the inspection block to fill in by hand.
// Colour or black and white as the ink setting says. A delivery note of an
// invoice issuer also carries the registration number under the shop and,
// under the totals, the taxable total of the rate with its tax and the costs
// outside it, all in room the form leaves free.
class SlipPrintout final : public print::PagePainter {
public:
    explicit SlipPrintout(SlipPrintData data);

    print::PageLayout layout() const override;
    int pageCount() const override { return m_pages.pageCount(); }
    void paintPage(int page, QPainter& painter) override;

    const SlipPrintPages& pages() const { return m_pages; }
    const SlipPrintData& data() const { return m_data; }
    // A delivery note of a shop with a registration number.
    bool isQualifiedInvoice() const;
    // "伝票：%06d".
    static QString jobName(int slipNumber);

private:
    struct Look {
        int copy = 1;
        QColor colour; // the copy's colour; black in black and white
        QColor tint;   // shaded line rows
        bool colourInk = false;
    };
    struct Column {
        int x1;
        int x2;
        const char* caption;
    };

    Look lookOf(int copy) const;
    void table(print::PageCanvas& canvas, const Look& look, int y1, int yHead, int y2,
               std::initializer_list<Column> columns);
    void labelCell(print::PageCanvas& canvas, const Look& look, const QRectF& cell,
                   const QString& text, Qt::Alignment align);
    void title(print::PageCanvas& canvas, const Look& look, int kind);
    void shopBlock(print::PageCanvas& canvas);
    void addressee(print::PageCanvas& canvas);
    void slipTables(print::PageCanvas& canvas, const Look& look, int pageInCopy);
    void lineTable(print::PageCanvas& canvas, const Look& look, int kind, int pageInCopy);
    void marks(print::PageCanvas& canvas, bool folds);
    void totalsBlock(print::PageCanvas& canvas, const Look& look);
    void breakdownBoxes(print::PageCanvas& canvas, const Look& look);
    void costsBox(print::PageCanvas& canvas, const Look& look);
    void totalsColumn(print::PageCanvas& canvas, const Look& look);
    void inspectionBlock(print::PageCanvas& canvas, const Look& look);
    void invoiceStrip(print::PageCanvas& canvas, const Look& look);

    SlipPrintData m_data;
    SlipPrintPages m_pages;
    QFont m_small;
    QFont m_text;
    QFont m_final;
    QFont m_finalNarrow;
    QFont m_large;
    QFont m_shopName;
};

} // namespace kv::slips
