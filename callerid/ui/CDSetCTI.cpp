#include "callerid/ui/CDSetCTI.h"

#include "callerid/core/RingSound.h"
#include "controls/FileChooser.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kv::callerid {

CDSetCTI::CDSetCTI(Setup setup, QWidget* parent)
    : QDialog(parent)
    , m_setup(std::move(setup))
{
    setObjectName(QStringLiteral("callerIdSettings"));
    setWindowTitle(QStringLiteral("ナンバー・ディスプレイ設定"));

    m_port = new QComboBox(this);
    m_port->setObjectName(QStringLiteral("port"));
    m_port->addItem(QStringLiteral("なし"));
    for (int port = 1; port <= 6; ++port)
        m_port->addItem(QStringLiteral("COM%1").arg(port));
    m_port->setCurrentIndex(std::clamp(int(m_setup.current.port), 0, 6));

    m_ring = new QRadioButton(QStringLiteral("着信音を鳴らす"), this);
    m_silent = new QRadioButton(QStringLiteral("着信音を鳴らさない"), this);
    m_option = new QButtonGroup(this);
    m_option->addButton(m_ring, 0);
    m_option->addButton(m_silent, 1);
    (m_setup.current.soundOption == 1 ? m_silent : m_ring)->setChecked(true);

    m_path = new QLineEdit(m_setup.current.soundPath, this);
    m_path->setObjectName(QStringLiteral("soundPath"));
    m_path->setMaxLength(255);
    m_browse = new QPushButton(QStringLiteral("参照..."), this);
    m_browse->setAutoDefault(false);
    m_test = new QPushButton(QStringLiteral("テスト"), this);
    m_test->setAutoDefault(false);

    auto* sound = new QGroupBox(QStringLiteral("着信音"), this);
    auto* soundLayout = new QVBoxLayout(sound);
    soundLayout->addWidget(m_ring);
    soundLayout->addWidget(m_silent);
    auto* file = new QHBoxLayout;
    file->addWidget(m_path, 1);
    file->addWidget(m_browse);
    file->addWidget(m_test);
    soundLayout->addLayout(file);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("TLX-K5の接続"), m_port);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(sound);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_port, &QComboBox::currentIndexChanged, this, &CDSetCTI::updateControls);
    connect(m_option, &QButtonGroup::idToggled, this, &CDSetCTI::updateControls);
    connect(m_browse, &QPushButton::clicked, this, &CDSetCTI::browse);
    connect(m_test, &QPushButton::clicked, this, [this] {
        if (m_setup.sound)
            m_setup.sound->PlayRingSound();
    });
    updateControls();
}

data::CallerIdSettings CDSetCTI::chosen() const
{
    data::CallerIdSettings settings = m_setup.current;
    settings.port = m_port->currentIndex();
    settings.soundOption = m_option->checkedId() == 1 ? 1 : 0;
    settings.soundPath = m_path->text();
    return settings;
}

bool CDSetCTI::needsSound() const
{
    return m_port->currentIndex() != 0 && m_option->checkedId() == 0;
}

void CDSetCTI::updateControls()
{
    const bool port = m_port->currentIndex() != 0;
    m_ring->setEnabled(port);
    m_silent->setEnabled(port);
    for (QWidget* control : {static_cast<QWidget*>(m_path), static_cast<QWidget*>(m_browse),
                             static_cast<QWidget*>(m_test)})
        control->setEnabled(needsSound());
}

void CDSetCTI::browse()
{
    // Until a file loads or the user gives up.
    for (;;) {
        const QString path = fileChooser().openFile(
            this, QString(), m_path->text(), QStringLiteral("Microsoft Waveform Audio Files (*.wav)"));
        if (path.isEmpty())
            return;
        m_path->setText(path);
        if (!m_setup.sound || m_setup.sound->LoadRingSound(path))
            return;
    }
}

void CDSetCTI::accept()
{
    // Without a port or with the sound off no file is needed: a shop
    // without a sound can still store its port.
    if (needsSound() && m_setup.sound && !m_setup.sound->LoadRingSound(m_path->text()))
        return;
    if (m_setup.store && !m_setup.store(chosen()))
        return;
    QDialog::accept();
}

void CDSetCTI::reject()
{
    // The sound tried here goes; the stored one is loaded again.
    if (m_setup.sound) {
        if (m_setup.current.soundPath.isEmpty())
            m_setup.sound->clear();
        else
            m_setup.sound->LoadRingSound(m_setup.current.soundPath);
    }
    QDialog::reject();
}

} // namespace kv::callerid
