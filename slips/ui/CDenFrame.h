#pragma once

#include "slips/core/SlipPhotos.h"
#include "slips/core/SlipRecording.h"
#include "slips/ui/SlipPanes.h"

#include <QHash>
#include <QMainWindow>

#include <array>
#include <map>
#include <memory>
#include <optional>

class QAction;
class QSettings;
class QSplitter;

namespace kv::data {
class CCarMaintenanceDoc;
}

namespace kv::print {
class PagePainter;
class PrinterAccess;
} // namespace kv::print

namespace kv::slips {

class SlipAccess;

// The slip window: the header (F1), the lines (F2) and the totals (F3) of
// one slip, the row commands of the lines (F6 to F9), printing (F10),
// recording (F11), both (F12), the slip as a PDF file and the print
// positions (Alt+F1).
// Every pane switch and every recording first checks the header, then the
// lines, then recomputes the totals, stopping at the first pane that
// refuses. Closing gives the slip work's locks back; what was not
// recorded is discarded.
class CDenFrame : public QMainWindow {
    Q_OBJECT
public:
    enum class Pane { Header, Lines, Totals };

    struct Setup {
        SlipMode mode = SlipMode::New;
        int slipNumber = 0;
        int customerCode = 0;
        int billingCode = 0;
        int vehicleCode = 0;
        QString title;
        // The profile section "Den" (placement, the copies printed); not
        // owned.
        QSettings* profile = nullptr;
        // The printer, the preview and PDF files; none leaves the print
        // commands off. Not owned.
        print::PrinterAccess* printers = nullptr;
        // Where the slip's photos are worked on while it is open.
        QString photoWorkFolder;
    };

    CDenFrame(data::CCarMaintenanceDoc& document, SlipAccess& access, Setup setup,
              SlipHeaderPane& header, SlipLinesPane& lines, SlipTotalsPane& totals,
              QWidget* parent = nullptr);
    ~CDenFrame() override;

    SlipMode mode() const { return m_setup.mode; }
    Pane activePane() const { return m_active; }
    QAction* commandAction(int key) const;
    const SlipPhotos& photos() const { return m_photos; }

    // F1, F2, F3; false when a pane refused on the way.
    bool switchTo(Pane pane);
    // F11: records and closes the window; false (window open) on a refusal.
    bool recordOnly();
    // F12: records, prints and closes; with no copy to print the slip stays
    // recorded and the window open.
    bool recordAndPrint();
    // F10: prints without recording, after the question; closes.
    bool printOnly();
    // "PDFで保存": the pages the printer would get into a file the user
    // names; the window stays open.
    bool saveAsPdf();
    // The pages as printed, in the preview; nothing is recorded.
    bool previewSlip();
    // Alt+F1: the print position dialog.
    void editPrintPositions();
    // The copies 1..3 of a kind the profile selected when the window opened.
    std::array<bool, 3> selectedCopies(int kind) const;
    // The grid's category window went: its command no longer shows pressed.
    void categoryListClosed();

signals:
    // After a recording: the slip's number and whether it moved the
    // vehicle's inspection expiry (the panel then shows the new date).
    void recorded(int slipNumber, bool inspectionExpiryMoved);
    void closedWindow();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QAction* addCommand(const QString& text, const QString& tip, const QKeySequence& key,
                        std::function<void()> run);
    // Header, lines, totals in this order; the refusing pane is activated.
    bool checkAll(HeaderValues* header, int* partsTotal, int* labourTotal);
    void activate(Pane pane);
    // The pane that refused becomes the active one, its focus kept.
    void refusedIn(Pane pane);
    // The pane a widget belongs to, if any.
    std::optional<Pane> paneOf(const QWidget* widget) const;
    SlipRecording recording(const HeaderValues& values) const;
    // The slip as the panes hold it, once all three have checked it.
    std::optional<SlipRecording> checkedSlip();
    // Checks and records; false (window open) on a refusal.
    bool record(SlipRecording* slip);
    // The printout of the checked slip; nullptr after the message when a
    // record is missing or no copy is selected.
    std::unique_ptr<print::PagePainter> printout(const SlipRecording& slip);
    // The printout of the slip as the fields hold it, once every check has
    // passed; nullptr after the message otherwise.
    std::unique_ptr<print::PagePainter> checkedPrintout();
    // Printer, or where there is none (or it refuses) the preview or a PDF
    // file, as the user chooses; false when nothing went out.
    bool sendOut(print::PagePainter& printout);
    bool writePdf(print::PagePainter& printout);
    // An invoice printed or saved is also kept in the invoice archive.
    void archiveIssued(print::PagePainter& printout);
    void updateCommands();
    void storePlacement();

    data::CCarMaintenanceDoc& m_document;
    SlipAccess& m_access;
    Setup m_setup;
    SlipHeaderPane& m_header;
    SlipLinesPane& m_lines;
    SlipPhotos m_photos;
    SlipTotalsPane& m_totals;
    Pane m_active = Pane::Header;
    std::map<Pane, QAction*> m_paneCommands;
    QAction* m_categoryCommand = nullptr;
    QList<QAction*> m_lineCommands;
    QList<QAction*> m_totalsCommands;
    QList<QAction*> m_printCommands;
    // The profile's PrintNou1 ... PrintOn2 as read at opening.
    QHash<QString, bool> m_copySelection;
    QHash<int, QAction*> m_byKey;
    // The header beside the lines, and both above the totals.
    QSplitter* m_upper = nullptr;
    QSplitter* m_panes = nullptr;
    bool m_panesPlaced = false;
    QMetaObject::Connection m_focusWatch;
};

} // namespace kv::slips
