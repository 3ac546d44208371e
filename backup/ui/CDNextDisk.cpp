#include "backup/ui/CDNextDisk.h"

#include "backup/core/BackupTexts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QSet>
#include <QVBoxLayout>

namespace kv::backup {

namespace {
constexpr int kRootRole = Qt::UserRole;
} // namespace

CDNextDisk::CDNextDisk(BackupVolumes& volumes, int number, const QString& title, QWidget* parent)
    : QDialog(parent)
    , m_volumes(volumes)
{
    setWindowTitle(title);
    auto* prompt = new QLabel(BackupTexts::InsertDisk.arg(number), this);
    auto* choose = new QLabel(BackupTexts::ChooseDisk, this);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("volumes"));
    m_list->setMinimumWidth(380);
    m_none = new QLabel(BackupTexts::NoRemovableDisk, this);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("中止(Esc)"), this);
    m_ok->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(choose);
    layout->addWidget(m_list);
    layout->addWidget(m_none);
    layout->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, &CDNextDisk::accept);
    connect(cancel, &QPushButton::clicked, this, &CDNextDisk::reject);
    connect(m_list, &QListWidget::itemSelectionChanged, this,
            [this] { m_ok->setEnabled(!selectedRoot().isEmpty()); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CDNextDisk::accept);
    connect(&m_refresh, &QTimer::timeout, this, &CDNextDisk::refresh);

    refresh();
    // The disks there when the question opens are not chosen for the user:
    // one of them is usually the disk just written.
    m_list->clearSelection();
    m_ok->setEnabled(false);
    m_refresh.start(kRefreshMs);
}

QString CDNextDisk::selectedRoot() const
{
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->data(kRootRole).toString();
}

void CDNextDisk::refresh()
{
    const QString selected = selectedRoot();
    QSet<QString> shown;
    for (int row = 0; row < m_list->count(); ++row)
        shown.insert(m_list->item(row)->data(kRootRole).toString());
    const QList<BackupVolumes::Volume> volumes = m_volumes.removableVolumes();
    QString appeared;
    m_list->clear();
    for (const BackupVolumes::Volume& volume : volumes) {
        auto* item = new QListWidgetItem(
            BackupTexts::DiskFree.arg(volume.name, volume.root, QLocale().formattedDataSize(volume.free)),
            m_list);
        item->setData(kRootRole, volume.root);
        if (!shown.contains(volume.root) && appeared.isEmpty())
            appeared = volume.root;
    }
    const QString select = appeared.isEmpty() ? selected : appeared;
    for (int row = 0; row < m_list->count(); ++row) {
        if (m_list->item(row)->data(kRootRole).toString() == select)
            m_list->setCurrentRow(row);
    }
    m_none->setVisible(volumes.isEmpty());
    m_ok->setEnabled(!selectedRoot().isEmpty());
}

void CDNextDisk::accept()
{
    m_chosen = selectedRoot();
    if (m_chosen.isEmpty())
        return;
    QDialog::accept();
}

} // namespace kv::backup
