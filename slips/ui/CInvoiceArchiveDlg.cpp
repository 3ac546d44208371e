#include "slips/ui/CInvoiceArchiveDlg.h"

#include "common/MessageGateway.h"
#include "controls/CListCtrlEx.h"
#include "controls/TypedListModel.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace kv::slips {

namespace {

class DesktopViewer final : public InvoiceViewer {
public:
    bool open(const QString& pdfPath) override
    {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(pdfPath));
    }
};

using Model = TypedListModel<ArchivedInvoice>;

QList<Model::Column> columns()
{
    return {
        {QStringLiteral("発行日時"), 150, Qt::AlignLeft,
         [](const ArchivedInvoice& a) { return a.issued.toString(QStringLiteral("yyyy/MM/dd HH:mm")); }},
        {QStringLiteral("伝票番号"), 80, Qt::AlignRight,
         [](const ArchivedInvoice& a) { return QString::asprintf("%06d", a.slipNumber); }},
        {QStringLiteral("版"), 40, Qt::AlignRight,
         [](const ArchivedInvoice& a) { return QString::number(a.version); }},
        {QStringLiteral("修正"), 50, Qt::AlignHCenter,
         [](const ArchivedInvoice& a) { return a.corrected ? QStringLiteral("修正") : QString(); }},
        {QStringLiteral("顧客"), 80, Qt::AlignRight,
         [](const ArchivedInvoice& a) { return QString::asprintf("%06d", a.customerCode); }},
    };
}

} // namespace

InvoiceViewer& desktopInvoiceViewer()
{
    static DesktopViewer viewer;
    return viewer;
}

QString CInvoiceArchiveDlg::noInvoicesMessage()
{
    return QStringLiteral("発行した請求書がありません！");
}

CInvoiceArchiveDlg::CInvoiceArchiveDlg(const InvoiceArchive& archive, Of of, int code,
                                       InvoiceViewer& viewer, QWidget* parent)
    : QDialog(parent)
    , m_viewer(viewer)
{
    setWindowTitle(of == Of::Customer ? QStringLiteral("発行した請求書（顧客 %1）").arg(code, 6, 10, QLatin1Char('0'))
                                      : QStringLiteral("発行した請求書（伝票 %1）").arg(code, 6, 10, QLatin1Char('0')));
    m_rows = new Model(columns(), [](const ArchivedInvoice& a) { return a.version; }, this);
    m_rows->replaceAll(of == Of::Customer ? archive.ofCustomer(code) : archive.ofSlip(code));
    m_list = new CListCtrlEx(this);
    m_list->setRows(m_rows);
    m_open = new QPushButton(QStringLiteral("開く(&O)"));
    m_open->setAutoDefault(false);
    auto* close = new QPushButton(QStringLiteral("閉じる(Esc)"));
    close->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_open);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    resize(520, 360);
    if (rowCount() > 0)
        m_list->selectRow(rowCount() - 1);
    connect(m_list, &QAbstractItemView::activated, this, [this] { openCurrent(); });
    connect(m_open, &QPushButton::clicked, this, [this] { openCurrent(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

CInvoiceArchiveDlg::~CInvoiceArchiveDlg() = default;

int CInvoiceArchiveDlg::rowCount() const
{
    return m_rows->rowCount();
}

void CInvoiceArchiveDlg::openCurrent()
{
    const int row = m_list->currentRow();
    if (row < 0 || row >= rowCount())
        return;
    const QString path = m_rows->at(row).pdfPath;
    if (!m_viewer.open(path))
        showMessage(QStringLiteral("%1 を開けません！").arg(path));
}

} // namespace kv::slips
