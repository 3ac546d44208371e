#include "callerid/ui/CDSetCtiInfo.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace kv::callerid {

CDSetCtiInfo::CDSetCtiInfo(QSettings* profile, QWidget* parent)
    : QDialog(parent)
    , m_profile(profile)
{
    setObjectName(QStringLiteral("popupSettings"));
    setWindowTitle(QStringLiteral("着信表示設定"));
    const int stays = profile ? profile->value(QStringLiteral("CtiInfo/ButtonPush"), 0).toInt() : 0;
    const int seconds =
        profile ? profile->value(QStringLiteral("CtiInfo/DspSecond"), 30).toInt() : 30;

    m_closes = new QRadioButton(QStringLiteral("一定時間表示したら閉じる"), this);
    m_stays = new QRadioButton(QStringLiteral("閉じるまで表示する"), this);
    (stays == 1 ? m_stays : m_closes)->setChecked(true);
    m_seconds = new QSpinBox(this);
    m_seconds->setObjectName(QStringLiteral("seconds"));
    m_seconds->setRange(1, 60);
    m_seconds->setValue(std::clamp(seconds, 1, 60));
    m_seconds->setSuffix(QStringLiteral(" 秒"));
    m_seconds->setEnabled(m_closes->isChecked());
    connect(m_closes, &QRadioButton::toggled, m_seconds, &QWidget::setEnabled);

    auto* secondsLine = new QHBoxLayout;
    secondsLine->addSpacing(20);
    secondsLine->addWidget(new QLabel(QStringLiteral("表示時間"), this));
    secondsLine->addWidget(m_seconds);
    secondsLine->addStretch();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_closes);
    layout->addLayout(secondsLine);
    layout->addWidget(m_stays);
    layout->addWidget(buttons);
}

void CDSetCtiInfo::accept()
{
    if (m_profile) {
        m_profile->setValue(QStringLiteral("CtiInfo/ButtonPush"), m_stays->isChecked() ? 1 : 0);
        m_profile->setValue(QStringLiteral("CtiInfo/DspSecond"), m_seconds->value());
        m_profile->sync();
    }
    QDialog::accept();
}

} // namespace kv::callerid
