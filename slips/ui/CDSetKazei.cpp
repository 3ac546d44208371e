#include "slips/ui/CDSetKazei.h"

#include "data/settings/SettingsStore.h"
#include "data/settings/UnsavedChangeGuard.h"
#include "lan/core/ChangeAnnouncer.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv::slips {

QString CDSetKazei::updateKind()
{
    return QStringLiteral("代行料 課税・非課税");
}

CDSetKazei::CDSetKazei(data::SettingsStore& settings, QWidget* parent)
    : QDialog(parent)
    , m_settings(settings)
{
    setWindowTitle(updateKind());
    m_taxable = new QCheckBox(QStringLiteral("代行料を課税対象にする"));
    m_record = new QPushButton(QStringLiteral("記録(Enter)"));
    m_record->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_taxable);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_record);
    layout->addLayout(buttons);
    connect(m_record, &QPushButton::clicked, this, [this] { onRecord(); });

    // Another computer may have changed the file since it was read.
    m_settings.LoadSettingsFile(data::SettingsFileId::General);
    m_taxable->setChecked(m_settings.general().agencyFeeTaxable != 0);
}

CDSetKazei::~CDSetKazei() = default;

void CDSetKazei::onRecord()
{
    data::UnsavedChangeGuard guard(m_settings.general());
    m_settings.general().agencyFeeTaxable = m_taxable->isChecked() ? 1 : 0;
    if (!guard.keepIf(m_settings.SaveSettingsFile(data::SettingsFileId::General)))
        return;
    lan::changeAnnouncer().announceUpdate(updateKind());
    accept();
}

} // namespace kv::slips
