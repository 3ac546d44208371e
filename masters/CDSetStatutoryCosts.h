#pragma once

#include "data/costs/CostStore.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace kv {
class CListCtrlEx;
template <typename Row>
class TypedListModel;
} // namespace kv

namespace kv::data {
class Connection;
}

namespace kv::masters {

// The statutory cost tables of an inspection (諸費用の表) with the shop's
// area and inspection path: lists the dated rows, adds one, changes the
// chosen one, and imports a table from a CSV file, all or nothing. A rate
// that changes by law gets a new row from its start date, so that older
// slips keep theirs. Every change is announced.
class CDSetStatutoryCosts : public QDialog {
    Q_OBJECT
public:
    static QString updateKind(); // "諸費用"

    explicit CDSetStatutoryCosts(data::Connection& mainConnection, QWidget* parent = nullptr);

    CListCtrlEx* list() const { return m_list; }
    QComboBox* areaCombo() const { return m_area; }
    QComboBox* pathCombo() const { return m_path; }
    QComboBox* tableCombo() const { return m_table; }
    QComboBox* classCombo() const { return m_class; }
    QComboBox* rowAreaCombo() const { return m_rowArea; }
    QComboBox* rowPathCombo() const { return m_rowPath; }
    QLineEdit* fromEdit() const { return m_from; }
    QLineEdit* monthsEdit() const { return m_months; }
    QLineEdit* weightEdit() const { return m_weight; }
    QLineEdit* ageEdit() const { return m_age; }
    QCheckBox* ecoBox() const { return m_eco; }
    QLineEdit* yearsEdit() const { return m_years; }
    QLineEdit* amountEdit() const { return m_amount; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* changeButton() const { return m_change; }
    QPushButton* importButton() const { return m_import; }

private:
    void fillList();
    void onRowSelected(int row);
    // The row of the fields; nullopt after the message.
    std::optional<data::CostRow> rowOfFields(int id);
    void record(int id);
    void importCsv();
    void writeSettings();
    void changed();

    data::CostStore m_store;
    TypedListModel<data::CostRow>* m_rows = nullptr;
    int m_chosen = 0;
    CListCtrlEx* m_list = nullptr;
    QComboBox* m_area = nullptr;
    QComboBox* m_path = nullptr;
    QComboBox* m_table = nullptr;
    QComboBox* m_class = nullptr;
    QComboBox* m_rowArea = nullptr;
    QComboBox* m_rowPath = nullptr;
    QLineEdit* m_from = nullptr;
    QLineEdit* m_months = nullptr;
    QLineEdit* m_weight = nullptr;
    QLineEdit* m_age = nullptr;
    QCheckBox* m_eco = nullptr;
    QLineEdit* m_years = nullptr;
    QLineEdit* m_amount = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_change = nullptr;
    QPushButton* m_import = nullptr;
};

} // namespace kv::masters
