#include "uninstall/ui/CSabdelDlg.h"

#include "uninstall/core/UninstallTexts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv::uninstall {

CSabdelDlg::CSabdelDlg(QWidget* parent)
    : QDialog(parent)
    , m_run(new QPushButton(UninstallTexts::RunButton, this))
    , m_cancel(new QPushButton(UninstallTexts::CancelButton, this))
{
    setWindowTitle(UninstallTexts::DialogTitle);
    auto* text = new QLabel(UninstallTexts::DialogText, this);
    auto* warning = new QLabel(UninstallTexts::DialogWarning, this);
    warning->setStyleSheet(QStringLiteral("color: #c00000;"));

    m_run->setDefault(true);
    m_run->setAutoDefault(true);
    m_cancel->setAutoDefault(false);
    connect(m_run, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_run);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addSpacing(8);
    layout->addWidget(warning);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    m_run->setFocus();
}

} // namespace kv::uninstall
