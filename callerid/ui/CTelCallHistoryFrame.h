#pragma once

#include "callerid/core/CallHistoryRow.h"

#include <QMainWindow>
#include <QPoint>

#include <functional>

class QSettings;

namespace kv {
class CListCtrlEx;
template <typename Row>
class TypedListModel;
} // namespace kv

namespace kv::callerid {

class CallInfoStore;

// The call history (TEL着信履歴): the kept calls, read again from
// "018.dat", oldest first with the newest selected. Choosing a row shows
// that customer on the main panel. Its place, size and column widths are
// kept in the profile.
class CTelCallHistoryFrame : public QMainWindow {
    Q_OBJECT
public:
    struct Setup {
        // "TelCallHistoryFrame" (placement) and "TelCallHistory" (column
        // widths); not owned.
        QSettings* profile = nullptr;
        // Where it opens the first time (the main window's corner + 7, 86).
        QPoint defaultPlace;
        std::function<void(int customerCode)> showCustomer;
    };

    CTelCallHistoryFrame(CallInfoStore& calls, Setup setup, QWidget* parent = nullptr);
    ~CTelCallHistoryFrame() override;

    // Reads "018.dat" again and shows its calls.
    void reload();
    // Shows the calls in memory.
    void refill();
    CListCtrlEx* list() const { return m_list; }

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void storeColumnWidths();
    // Date and time whole at the default width.
    void fitArrivalColumn();
    void showCustomerOf(int row);

    CallInfoStore& m_calls;
    Setup m_setup;
    CListCtrlEx* m_list = nullptr;
    TypedListModel<CallHistoryRow>* m_rows = nullptr;
    bool m_filling = false;
    // The row whose customer the panel was last given; -1 after filling.
    int m_shownRow = -1;
};

} // namespace kv::callerid
