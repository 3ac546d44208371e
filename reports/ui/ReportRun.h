#pragma once

#include <QString>

#include <functional>
#include <memory>

namespace kv::data {
class CCarMaintenanceDoc;
}
namespace kv::print {
class PagePainter;
class PrinterAccess;
} // namespace kv::print

namespace kv::reports {

// One run of a report from its dialog: the work copy of the report's kind
// prepared (under the "Printing" lock; the record service says why not),
// the selection made into a printout, the pages asked for sent to the
// printer, the preview or a PDF file, and the work copy ended and the
// panel's order applied again whatever happened.
class ReportRun {
public:
    enum class Way { Print, Preview, Pdf };

    struct Setup {
        data::CCarMaintenanceDoc* document = nullptr;
        print::PrinterAccess* printers = nullptr;
        // Puts the panel's records back in the order of its search mode.
        std::function<void()> reapplyOrder;
    };

    // What a run asks of its report.
    struct Request {
        int kind = 0;       // the report kind, also the work copy's
        Way way = Way::Preview;
        int pageFrom = 1;
        int pageTo = 999999;
        // The printout of the selection, made once the work copy is on;
        // nullptr after its own message (a missing picture).
        std::function<std::unique_ptr<print::PagePainter>()> printout;
        // Shown when the printout has no pages.
        QString emptyMessage = kNothingSelected;
        // The file name the PDF chooser suggests.
        QString pdfName;
    };

    static inline const QString kNothingSelected = QStringLiteral("該当データが存在しません！");
    static inline const QString kNoSuchPage = QStringLiteral("指定されたページが存在しません！");
    static inline const QString kNoPrinter = QStringLiteral("プリンタがありません！");
    static inline const QString kPrinterRefused = QStringLiteral("印刷を開始できませんでした！");

    explicit ReportRun(Setup setup);

    // True when the pages went out (or the preview was shown).
    bool run(const Request& request);

private:
    bool sendOut(const Request& request, print::PagePainter& pages);

    Setup m_setup;
};

} // namespace kv::reports
