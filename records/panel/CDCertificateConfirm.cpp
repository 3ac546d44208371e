#include "records/panel/CDCertificateConfirm.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kv::records {

CDCertificateConfirm::CDCertificateConfirm(std::vector<CertificateChange> changes, QWidget* parent)
    : QDialog(parent), m_changes(std::move(changes))
{
    setWindowTitle(QStringLiteral("車検証読込"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("チェックした項目を画面に取り込みます。記録はF12で行って下さい"), this));

    m_table = new QTableWidget(int(m_changes.size()), ColumnCount, this);
    m_table->setHorizontalHeaderLabels({QStringLiteral("項目"), QStringLiteral("現在の値"),
                                        QStringLiteral("新しい値"), QStringLiteral("備考")});
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setTabKeyNavigation(false);
    for (int row = 0; row < int(m_changes.size()); ++row) {
        const CertificateChange& change = m_changes[size_t(row)];
        // The tick stands on the item; Space toggles it.
        auto* item = new QTableWidgetItem(change.caption);
        Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
        if (change.applicable)
            flags |= Qt::ItemIsUserCheckable;
        item->setFlags(flags);
        item->setCheckState(change.applicable ? Qt::Checked : Qt::Unchecked);
        m_table->setItem(row, Item, item);
        const QString texts[] = {change.current, change.proposed, change.note};
        for (int column = Current; column < ColumnCount; ++column) {
            auto* cell = new QTableWidgetItem(texts[column - Current]);
            cell->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            if (!change.applicable)
                cell->setForeground(Qt::gray);
            m_table->setItem(row, column, cell);
        }
    }
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setStretchLastSection(true);
    if (!m_changes.empty())
        m_table->setCurrentCell(0, Item);
    layout->addWidget(m_table, 1);

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("取込(Enter)"), this);
    auto* cancel = new QPushButton(QStringLiteral("中止(Esc)"), this);
    ok->setDefault(true);
    ok->setAutoDefault(true);
    cancel->setAutoDefault(false);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(760, 480);
    m_table->setFocus();
}

std::vector<CertificateChange> CDCertificateConfirm::ticked() const
{
    std::vector<CertificateChange> result;
    for (int row = 0; row < int(m_changes.size()); ++row) {
        if (m_changes[size_t(row)].applicable
            && m_table->item(row, Item)->checkState() == Qt::Checked)
            result.push_back(m_changes[size_t(row)]);
    }
    return result;
}

} // namespace kv::records
