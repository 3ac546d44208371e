#pragma once

#include "slips/core/InvoiceArchive.h"

#include <QDialog>

class QPushButton;

namespace kv {
class CListCtrlEx;
template <typename Row>
class TypedListModel;
}

namespace kv::slips {

// Opens a kept invoice for the user to see (the desktop's PDF viewer).
class InvoiceViewer {
public:
    virtual ~InvoiceViewer() = default;
    virtual bool open(const QString& pdfPath) = 0;
};
InvoiceViewer& desktopInvoiceViewer();

// The issued invoices of a customer or of one slip, newest last, each
// opened with Enter, a double click or "開く".
class CInvoiceArchiveDlg : public QDialog {
    Q_OBJECT
public:
    enum class Of { Customer, Slip };

    CInvoiceArchiveDlg(const InvoiceArchive& archive, Of of, int code, InvoiceViewer& viewer,
                       QWidget* parent = nullptr);
    ~CInvoiceArchiveDlg() override;

    CListCtrlEx* list() const { return m_list; }
    QPushButton* openButton() const { return m_open; }
    int rowCount() const;
    static QString noInvoicesMessage();

private:
    void openCurrent();

    InvoiceViewer& m_viewer;
    TypedListModel<ArchivedInvoice>* m_rows = nullptr;
    CListCtrlEx* m_list = nullptr;
    QPushButton* m_open = nullptr;
};

} // namespace kv::slips
