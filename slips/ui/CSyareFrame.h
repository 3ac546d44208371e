#pragma once

#include "slips/core/SlipHistoryRow.h"

#include <QMainWindow>

#include <functional>

class QSettings;

namespace kv {
class CListCtrlEx;
template <typename Row>
class TypedListModel;
} // namespace kv

namespace kv::slips {

class SlipAccess;

// The vehicle's slip history (車歴一覧), oldest first with the newest
// current: new (F1), modify (F2), transfer (F3) and delete (F4) of the
// current slip, Esc to close. The slip work's locks are held while it is
// open; closing it gives them back, handing over to the slip window keeps
// them for that window.
class CSyareFrame : public QMainWindow {
    Q_OBJECT
public:
    struct Setup {
        int vehicleCode = 0;
        QString title;
        // The name of a job category, empty when there is none.
        std::function<QString(int categoryCode)> categoryName;
        // The profile sections "Syare" (column widths) and "SyareFrame"
        // (placement); not owned.
        QSettings* profile = nullptr;
    };

    CSyareFrame(SlipAccess& access, Setup setup, QWidget* parent = nullptr);
    ~CSyareFrame() override;

    // Reads the vehicle's slips again; the newest becomes current.
    void reload();
    // The current slip's number, 0 without a current row.
    int currentSlip() const;
    CListCtrlEx* list() const { return m_list; }

    // The slip window has taken the work over: the window goes, the locks
    // stay.
    void handOver();

signals:
    void newSlip();
    void modifySlip(int slipNumber);
    void transferSlip(int slipNumber);
    // The user closed the window; the locks are given back.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void addCommand(const QString& text, const QString& tip, QKeySequence key,
                    std::function<void()> run, bool needsRow);
    void deleteCurrent();
    void updateCommands();

    SlipAccess& m_access;
    Setup m_setup;
    CListCtrlEx* m_list = nullptr;
    TypedListModel<SlipHistoryRow>* m_rows = nullptr;
    QList<QAction*> m_rowCommands;
    bool m_handedOver = false;
};

} // namespace kv::slips
