#include "ledger/ui/CDSetKuriZan.h"

#include "common/MessageGateway.h"
#include "controls/CNumericEditEx.h"
#include "ledger/core/LedgerAmounts.h"
#include "ledger/core/LedgerRecorder.h"
#include "ledger/core/LedgerRows.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv::ledger {

CDSetKuriZan::CDSetKuriZan(data::CCarMaintenanceDoc& document, int customerCode, QWidget* parent)
    : QDialog(parent)
    , m_document(document)
    , m_customerCode(customerCode)
    , m_field(new CNumericEditEx(this))
{
    setWindowTitle(QStringLiteral("繰越残高"));
    m_field->setInputMode(CEditEx::InputMode::Direct);
    m_field->setAlignment(Qt::AlignRight);
    m_field->setMaxLength(14);
    auto* record = new QPushButton(QStringLiteral("記録(Enter)"), this);
    auto* cancel = new QPushButton(QStringLiteral("中止(Esc)"), this);
    record->setDefault(true);
    cancel->setAutoDefault(false);
    connect(record, &QPushButton::clicked, this, &CDSetKuriZan::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("繰越残高"), this));
    row->addWidget(m_field, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(record);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
    setTabOrder(m_field, record);
    setTabOrder(record, cancel);
}

bool CDSetKuriZan::run()
{
    const std::optional<qint64> balance = LedgerRecorder(m_document).carriedForward(m_customerCode);
    if (!balance) {
        showMessage(QStringLiteral("該当残高が存在しません！\nｷｬﾝｾﾙして下さい"));
        return false;
    }
    m_old = *balance;
    m_field->setText(groupedAmount(m_old));
    m_field->setFocus();
    m_field->selectAll();
    return exec() == QDialog::Accepted;
}

void CDSetKuriZan::accept()
{
    const std::optional<qint64> value = amountFromText(m_field->text());
    if (!value || *value > LedgerRows::kBalanceLimit || *value < -LedgerRows::kBalanceLimit) {
        m_field->setText(groupedAmount(m_old));
        showMessage(LedgerRecorder::balanceRangeMessage());
        m_field->setFocus();
        m_field->selectAll();
        return;
    }
    const LedgerRecorder::Outcome outcome =
        LedgerRecorder(m_document).setCarriedForward(m_customerCode, *value);
    if (!outcome.message.isEmpty())
        showMessage(outcome.message);
    if (outcome.done)
        QDialog::accept();
    else if (outcome.balanceGone)
        reject();
}

} // namespace kv::ledger
