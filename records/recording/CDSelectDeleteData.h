#pragma once

#include <QDialog>

class QRadioButton;

namespace kv::records {

// Which of the shown records Alt+F5 deletes: the customer with its
// vehicles, or the vehicle alone (preselected, the smaller loss).
class CDSelectDeleteData : public QDialog {
    Q_OBJECT
public:
    // What exec() ends with besides Rejected.
    enum Choice { Customer = 200, Vehicle = 201 };

    explicit CDSelectDeleteData(QWidget* parent = nullptr);

    QRadioButton* customerButton() const { return m_customer; }
    QRadioButton* vehicleButton() const { return m_vehicle; }

private:
    QRadioButton* m_customer;
    QRadioButton* m_vehicle;
};

} // namespace kv::records
