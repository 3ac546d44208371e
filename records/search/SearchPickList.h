#pragma once

#include "records/search/SearchRows.h"

#include <QDialog>

namespace kv {
class CListCtrlEx;
class ListModel;
}

namespace kv::records::search {

// The modal pick list of a search that found several records: a list of
// rows (cream, the chosen one green), moved through with the arrow keys;
// Enter or the OK button returns the chosen row's code, Esc or Cancel -1.
class SearchPickList : public QDialog {
    Q_OBJECT
public:
    // The code of the chosen row, or -1 when cancelled.
    int run();
    CListCtrlEx* list() const { return m_list; }
    int chosenCode() const;

protected:
    // The list takes the rows; its last column reaches the dialog's edge.
    SearchPickList(const QString& caption, ListModel* rows, const QString& okText,
                   const QString& cancelText, QWidget* parent);
    // Name and address (300 pixels) of customers, 150 pixels for the name.
    static ListModel* customerRows(const std::vector<CustomerRow>& rows);
    // Plate and vehicle name (300 pixels) of vehicles.
    static ListModel* vehicleRows(const std::vector<VehicleRow>& rows, const QString& plateHeading,
                                  int plateWidth, const QString& nameHeading);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CListCtrlEx* m_list;
};

} // namespace kv::records::search
