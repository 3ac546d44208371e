#pragma once

#include "records/certificate/CertificateData.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPlainTextEdit;

namespace kv::records {

// "QR読取": the text a keyboard-wedge scanner types from the paper
// certificate's codes 2 and 3, one code a line. It shows what it
// recognised as the codes come in; taking them checks every code first
// and names the one that is wrong.
class CDQrRead : public QDialog {
    Q_OBJECT
public:
    explicit CDQrRead(QWidget* parent = nullptr);

    QPlainTextEdit* scanField() const { return m_scan; }
    QListWidget* recognisedList() const { return m_recognised; }
    // What the accepted codes say.
    const CertificateData& data() const { return m_data; }

    void accept() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showRecognised();

    QPlainTextEdit* m_scan = nullptr;
    QListWidget* m_recognised = nullptr;
    QLabel* m_state = nullptr;
    CertificateData m_data;
};

} // namespace kv::records
