#include "reports/ui/ReportDialog.h"

#include "reports/ui/ReportRangeGroups.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv::reports {

ReportDialog::ReportDialog(Setup setup, int kind, const QString& caption)
    : m_setup(std::move(setup))
    , m_kind(kind)
    , m_fields(new QVBoxLayout)
    , m_pages(new PageRangeGroup(this))
    , m_print(new QPushButton(QStringLiteral("印刷(&P)"), this))
    , m_preview(new QPushButton(QStringLiteral("プレビュー(&V)"), this))
    , m_pdf(new QPushButton(QStringLiteral("PDFで保存(&S)"), this))
    , m_close(new QPushButton(QStringLiteral("閉じる"), this))
{
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose);
    // Modeless: the main window is disabled instead, and a report of its
    // own may print while the dialog stays.
    setModal(false);

    m_buttons = new QHBoxLayout;
    for (QPushButton* button : {m_print, m_preview, m_pdf, m_close}) {
        button->setAutoDefault(false);
        m_buttons->addWidget(button);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_fields);
    layout->addWidget(m_pages);
    layout->addLayout(m_buttons);

    connect(m_print, &QPushButton::clicked, this, [this] { runReport(ReportRun::Way::Print); });
    connect(m_preview, &QPushButton::clicked, this, [this] { runReport(ReportRun::Way::Preview); });
    connect(m_pdf, &QPushButton::clicked, this, [this] { runReport(ReportRun::Way::Pdf); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

ReportDialog::~ReportDialog()
{
    releaseMainWindow();
}

void ReportDialog::addButton(QPushButton* button)
{
    button->setAutoDefault(false);
    m_buttons->insertWidget(m_buttons->indexOf(m_close), button);
}

void ReportDialog::setPagesEnabled(bool enabled)
{
    m_pages->setEnabled(enabled);
}

void ReportDialog::showEvent(QShowEvent* event)
{
    if (m_setup.mainWindow && !m_holdsMainWindow) {
        m_holdsMainWindow = true;
        m_setup.mainWindow->setEnabled(false);
    }
    QDialog::showEvent(event);
}

void ReportDialog::done(int result)
{
    releaseMainWindow();
    QDialog::done(result);
}

void ReportDialog::releaseMainWindow()
{
    if (!m_holdsMainWindow)
        return;
    m_holdsMainWindow = false;
    if (m_setup.mainWindow) {
        m_setup.mainWindow->setEnabled(true);
        m_setup.mainWindow->activateWindow();
    }
    emit closedDialog();
}

bool ReportDialog::runReport(ReportRun::Way way)
{
    if (!checkFields())
        return false;
    ReportRun::Request asked = request(way);
    asked.kind = m_kind;
    asked.way = way;
    if (m_pages->isEnabled()) {
        asked.pageFrom = m_pages->from();
        asked.pageTo = m_pages->to();
    }
    // The dialog waits while its pages go out.
    setEnabled(false);
    const bool sent = ReportRun(m_setup.run).run(asked);
    setEnabled(true);
    activateWindow();
    return sent;
}

} // namespace kv::reports
