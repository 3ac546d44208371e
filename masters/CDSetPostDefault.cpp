#include "masters/CDSetPostDefault.h"

#include "data/settings/SettingsStore.h"
#include "data/settings/UnsavedChangeGuard.h"
#include "data/tables/Prefectures.h"
#include "lan/core/ChangeAnnouncer.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv::masters {

QString CDSetPostDefault::updateKind()
{
    return QStringLiteral("郵便番号検索 標準都道府県");
}

CDSetPostDefault::CDSetPostDefault(data::SettingsStore& settings, QWidget* parent)
    : QDialog(parent)
    , m_settings(settings)
{
    setWindowTitle(QStringLiteral("既定の都道府県"));
    m_prefectures = new QComboBox;
    m_prefectures->setMaxVisibleItems(16);
    // Entry 0 is "none"; entry i + 1 the prefecture of list index i.
    m_prefectures->addItem(QStringLiteral("（なし）"));
    for (int number = 1; number <= data::Prefectures::kCount; ++number)
        m_prefectures->addItem(data::Prefectures::name(number));
    m_ok = new QPushButton(QStringLiteral("OK(Enter)"));
    m_ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("中止(Esc)"));
    cancel->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("郵便番号検索で最初に探す都道府県")));
    layout->addWidget(m_prefectures);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(m_ok, &QPushButton::clicked, this, [this] { onOk(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    m_settings.LoadSettingsFile(data::SettingsFileId::General);
    const int stored = m_settings.general().defaultPrefecture;
    m_prefectures->setCurrentIndex(stored >= 0 && stored < data::Prefectures::kCount ? stored + 1
                                                                                     : 0);
}

CDSetPostDefault::~CDSetPostDefault() = default;

void CDSetPostDefault::onOk()
{
    data::UnsavedChangeGuard guard(m_settings.general());
    m_settings.general().defaultPrefecture = m_prefectures->currentIndex() - 1;
    if (!guard.keepIf(m_settings.SaveSettingsFile(data::SettingsFileId::General)))
        return;
    lan::changeAnnouncer().announceUpdate(updateKind());
    accept();
}

} // namespace kv::masters
