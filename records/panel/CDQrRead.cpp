#include "records/panel/CDQrRead.h"

#include "records/certificate/CertificateCodes.h"

#include "common/MessageGateway.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv::records {

CDQrRead::CDQrRead(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("QR読取"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("車検証の2次元コード(コード2とコード3)をスキャナで読み取って下さい"), this));
    m_scan = new QPlainTextEdit(this);
    m_scan->setTabChangesFocus(true);
    m_scan->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(m_scan, 1);
    layout->addWidget(new QLabel(QStringLiteral("読み取った内容"), this));
    m_recognised = new QListWidget(this);
    m_recognised->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(m_recognised);
    m_state = new QLabel(this);
    layout->addWidget(m_state);

    auto* buttons = new QHBoxLayout;
    auto* clear = new QPushButton(QStringLiteral("クリア"), this);
    auto* ok = new QPushButton(QStringLiteral("取込(F9)"), this);
    auto* cancel = new QPushButton(QStringLiteral("中止(Esc)"), this);
    for (QPushButton* button : {clear, ok, cancel})
        button->setAutoDefault(false);
    buttons->addWidget(clear);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(clear, &QPushButton::clicked, this, [this] {
        m_scan->clear();
        m_scan->setFocus();
    });
    connect(ok, &QPushButton::clicked, this, &CDQrRead::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_scan, &QPlainTextEdit::textChanged, this, &CDQrRead::showRecognised);
    resize(640, 360);
    m_scan->setFocus();
}

void CDQrRead::showRecognised()
{
    const CertificateCodes::Result read = CertificateCodes::read(m_scan->toPlainText());
    m_recognised->clear();
    m_recognised->addItems(read.recognised);
    m_state->setText(read.ok || m_scan->toPlainText().trimmed().isEmpty() ? QString()
                                                                           : read.message);
}

void CDQrRead::accept()
{
    const CertificateCodes::Result read = CertificateCodes::read(m_scan->toPlainText());
    if (!read.ok) {
        showMessage(read.message);
        m_scan->setFocus();
        return;
    }
    m_data = read.data;
    QDialog::accept();
}

} // namespace kv::records

namespace kv::records {

void CDQrRead::keyPressEvent(QKeyEvent* event)
{
    // Enter belongs to the scanner, which ends every code with it.
    if (event->key() == Qt::Key_F9) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace kv::records
