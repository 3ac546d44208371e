#pragma once

#include <QGroupBox>

class QRadioButton;

namespace kv::records::search {

class SearchProfile;

// The group "全検索" the panel shows while it serves as the query form:
// the target ("顧客" / "車輌") and the joiner ("AND" / "OR"), preset from
// the profile when the query starts.
class CAllSearchGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit CAllSearchGroup(QWidget* parent = nullptr);

    void preset(const SearchProfile& profile);
    // 0 customers, 1 vehicles.
    int target() const;
    // 0 AND, 1 OR.
    int joiner() const;

    QRadioButton* customerButton() const { return m_customers; }
    QRadioButton* vehicleButton() const { return m_vehicles; }
    QRadioButton* andButton() const { return m_and; }
    QRadioButton* orButton() const { return m_or; }

signals:
    // The user switched the target: the panel enables that group only.
    void targetChanged(int target);

private:
    QRadioButton* m_customers;
    QRadioButton* m_vehicles;
    QRadioButton* m_and;
    QRadioButton* m_or;
};

} // namespace kv::records::search
