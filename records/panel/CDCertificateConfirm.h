#pragma once

#include "records/certificate/CertificateMapping.h"

#include <QDialog>

#include <vector>

class QTableWidget;

namespace kv::records {

// The fields a certificate would change, each with what it shows now, the
// new value and a tick; changes that cannot be made show why, unticked and
// disabled. OK takes the ticked ones.
class CDCertificateConfirm : public QDialog {
    Q_OBJECT
public:
    CDCertificateConfirm(std::vector<CertificateChange> changes, QWidget* parent = nullptr);

    enum Column { Item, Current, Proposed, Note, ColumnCount };

    QTableWidget* table() const { return m_table; }
    // The ticked changes, in the list's order.
    std::vector<CertificateChange> ticked() const;

private:
    std::vector<CertificateChange> m_changes;
    QTableWidget* m_table = nullptr;
};

} // namespace kv::records
