#include "app/firststart/CFirstStartDlg.h"

#include "app/firststart/FirstStartTexts.h"
#include "controls/CEditEx.h"
#include "controls/FileChooser.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace kv::app {
namespace {

namespace Texts = FirstStartTexts;

CEditEx* edit(QWidget* parent, CEditEx::InputMode mode, int bytes = 0)
{
    auto* field = new CEditEx(parent);
    field->setInputMode(mode);
    field->setByteLimit(bytes);
    return field;
}

} // namespace

CFirstStartDlg::CFirstStartDlg(FirstStartSetup& setup, QWidget* parent)
    : QDialog(parent)
    , m_setup(setup)
    , m_newData(new QRadioButton(Texts::NewData, this))
    , m_demo(new QRadioButton(Texts::Demo, this))
    , m_client(new QRadioButton(Texts::Client, this))
    , m_newDataFields(new QWidget(this))
    , m_clientFields(new QWidget(this))
    , m_dataFolder(edit(m_newDataFields, CEditEx::InputMode::Direct))
    // The field sizes of 自社情報.
    , m_shopName(edit(m_newDataFields, CEditEx::InputMode::Japanese, 30))
    , m_telephone(edit(m_newDataFields, CEditEx::InputMode::Direct, 16))
    , m_server(edit(m_clientFields, CEditEx::InputMode::Direct))
    , m_port(edit(m_clientFields, CEditEx::InputMode::Direct, 5))
    , m_mountFolder(edit(m_clientFields, CEditEx::InputMode::Direct))
    , m_start(new QPushButton(Texts::Start, this))
{
    setWindowTitle(Texts::Title);
    m_dataFolder->setText(FirstStartSetup::defaultDataFolder());
    m_port->setText(QString::number(FirstStartSetup::DefaultPort));
    m_port->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,5}")), m_port));
    m_mountFolder->setText(QStringLiteral("/mnt/sabion"));

    auto* newForm = new QFormLayout(m_newDataFields);
    newForm->setContentsMargins(24, 0, 0, 0);
    newForm->addRow(Texts::DataFolder, folderRow(m_dataFolder));
    newForm->addRow(Texts::ShopName, m_shopName);
    newForm->addRow(Texts::Telephone, m_telephone);
    auto* clientForm = new QFormLayout(m_clientFields);
    clientForm->setContentsMargins(24, 0, 0, 0);
    clientForm->addRow(Texts::Server, m_server);
    clientForm->addRow(Texts::Port, m_port);
    clientForm->addRow(Texts::MountFolder, folderRow(m_mountFolder));

    auto* cancel = new QPushButton(Texts::Cancel, this);
    m_start->setDefault(true);
    cancel->setAutoDefault(false);
    connect(m_start, &QPushButton::clicked, this, &CFirstStartDlg::start);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_start);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Texts::Intro, this));
    layout->addSpacing(8);
    layout->addWidget(m_newData);
    layout->addWidget(m_newDataFields);
    layout->addWidget(m_demo);
    layout->addWidget(m_client);
    layout->addWidget(m_clientFields);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setMinimumWidth(560);

    for (QRadioButton* button : {m_newData, m_demo, m_client})
        connect(button, &QRadioButton::toggled, this, &CFirstStartDlg::showChoice);
    m_newData->setChecked(true);
    showChoice();
    m_shopName->setFocus();
}

QRadioButton* CFirstStartDlg::choiceButton(FirstStartSetup::Kind kind) const
{
    switch (kind) {
    case FirstStartSetup::Kind::NewData:
        return m_newData;
    case FirstStartSetup::Kind::Demo:
        return m_demo;
    case FirstStartSetup::Kind::Client:
        return m_client;
    }
    return nullptr;
}

FirstStartSetup::Choice CFirstStartDlg::choice() const
{
    FirstStartSetup::Choice choice;
    choice.kind = m_client->isChecked() ? FirstStartSetup::Kind::Client
                  : m_demo->isChecked() ? FirstStartSetup::Kind::Demo
                                        : FirstStartSetup::Kind::NewData;
    choice.dataFolder = m_dataFolder->text().trimmed();
    choice.shopName = m_shopName->text();
    choice.telephone = m_telephone->text();
    choice.server = m_server->text();
    choice.port = m_port->text().toInt();
    choice.mountFolder = m_mountFolder->text().trimmed();
    return choice;
}

void CFirstStartDlg::showChoice()
{
    // Only the chosen way's fields are in the tab order.
    m_newDataFields->setEnabled(m_newData->isChecked());
    m_clientFields->setEnabled(m_client->isChecked());
}

QLayout* CFirstStartDlg::folderRow(CEditEx* edit)
{
    auto* browse = new QPushButton(Texts::Browse, edit->parentWidget());
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, [this, edit] { chooseFolder(edit); });
    auto* row = new QHBoxLayout;
    row->addWidget(edit, 1);
    row->addWidget(browse);
    return row;
}

void CFirstStartDlg::chooseFolder(CEditEx* edit)
{
    const QString folder = fileChooser().folder(this, windowTitle(), edit->text());
    if (!folder.isEmpty())
        edit->setText(folder);
    edit->setFocus();
}

void CFirstStartDlg::start()
{
    if (m_setup.apply(choice()))
        accept();
}

} // namespace kv::app
