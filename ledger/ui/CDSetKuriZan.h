#pragma once

#include <QDialog>

namespace kv {
class CEditEx;
}
namespace kv::data {
class CCarMaintenanceDoc;
}

namespace kv::ledger {

// "繰越残高": the carried-forward balance of one customer. Nothing is held
// while the dialog waits: the "Printing" section is taken by the recorder
// only for the write, after the value has been checked.
class CDSetKuriZan : public QDialog {
    Q_OBJECT
public:
    CDSetKuriZan(data::CCarMaintenanceDoc& document, int customerCode, QWidget* parent = nullptr);

    // Shows the dialog when the customer's balance record exists (else the
    // message); true when a new balance was written.
    bool run();
    CEditEx* field() const { return m_field; }

    // 記録(Enter).
    void accept() override;

private:
    data::CCarMaintenanceDoc& m_document;
    int m_customerCode;
    qint64 m_old = 0;
    CEditEx* m_field;
};

} // namespace kv::ledger
