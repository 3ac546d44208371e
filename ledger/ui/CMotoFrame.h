#pragma once

#include "ledger/core/LedgerAccess.h"

#include <QHash>
#include <QMainWindow>

#include <functional>

class QAction;
class QSettings;

namespace kv::data {
class CCarMaintenanceDoc;
}

namespace kv::ledger {

class CFMoto;

// The ledger window of one customer ("元帳   顧客：%d  %s"): the form with
// its commands F1 to F12, Alt+F2 for the carried-forward balance and Alt+F4
// to close. It holds the customer's "010.mdb" lock from the opening until
// it closes; closing gives the lock back, unless the window closes to hand
// a slip over to the slip window, whose locks then stand in its place.
class CMotoFrame : public QMainWindow {
    Q_OBJECT
public:
    struct Setup {
        int customerCode = 0;
        QString customerName;
        // The customer had a vehicle when the window opened (F5).
        bool ownsVehicles = false;
        // The per-user profile (section "Moto"); not owned.
        QSettings* profile = nullptr;
        // The main window's top left, where the window goes by default.
        QPoint origin;
    };

    // Opens the slip of a linked line in a slip window, taking the slip's
    // locks; false when refused (after the message).
    using SlipOpener = std::function<bool(const LedgerAccess::LinkedSlip& slip)>;

    // Takes the customer's lock and reads the ledger; nullptr after the
    // message when refused, with nothing held. The window is shown by the
    // caller and deletes itself when closed. It is a window of its own,
    // placed from the opener and kept above it, so that the opener can be
    // disabled while it is open.
    static CMotoFrame* open(data::CCarMaintenanceDoc& document, int customerCode,
                            QSettings* profile, QWidget* opener = nullptr);

    // The lock is held by the caller and becomes the window's.
    CMotoFrame(data::CCarMaintenanceDoc& document, Setup setup, QWidget* parent = nullptr);
    ~CMotoFrame() override;

    static QString title(int customerCode, const QString& customerName);

    CFMoto* form() const { return m_form; }
    QAction* commandAction(const QKeySequence& key) const;
    void setSlipOpener(SlipOpener opener);

    // F8: the selected line's slip in the slip window, this window closed.
    void openSlip();
    // Alt+F2.
    void setCarriedForward();

signals:
    // forSlip: the window gave way to the slip window of a line.
    void closedWindow(bool forSlip);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* addCommand(const QString& text, const QString& tip, const QKeySequence& key,
                        std::function<void()> run);
    void updateCommands();
    void storePlacement();

    data::CCarMaintenanceDoc& m_document;
    Setup m_setup;
    LedgerAccess m_access;
    CFMoto* m_form = nullptr;
    SlipOpener m_slipOpener;
    QHash<int, QAction*> m_byKey;
    bool m_closingForSlip = false;
};

} // namespace kv::ledger
