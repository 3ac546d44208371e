#include "backup/ui/CDProgress.h"

#include "backup/core/BackupTexts.h"
#include "common/MessageGateway.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv::backup {

CDProgress::CDProgress(const QString& title, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(title);
    m_bar = new QProgressBar(this);
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_bar->setMinimumWidth(300);
    m_cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ(Esc)"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cancel);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_bar);
    layout->addLayout(buttons);
    connect(m_cancel, &QPushButton::clicked, this, &CDProgress::reject);
}

void CDProgress::setProgress(int percent)
{
    m_bar->setValue(std::clamp(percent, 0, 100));
}

int CDProgress::progress() const
{
    return m_bar->value();
}

void CDProgress::setCancellable(bool cancellable)
{
    m_cancellable = cancellable;
    m_cancel->setEnabled(cancellable);
}

void CDProgress::reject()
{
    // The work may have gone past the point of no return while the
    // question was open.
    if (m_closing || !m_cancellable || !askYesNo(BackupTexts::ConfirmCancel, true)
        || !m_cancellable)
        return;
    m_closing = true;
    hide();
    emit cancelRequested();
}

void CDProgress::closeEvent(QCloseEvent* event)
{
    // The window's own close box is the cancel button.
    event->ignore();
    reject();
}

} // namespace kv::backup
