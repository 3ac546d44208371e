#include "backup/ui/CDNextDisk.h"

#include "backup/core/BackupTexts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
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
    const QList<BackupVolumes::Volume> volumes = m_volumes.removableVolumes();
    QStringList texts;
    QStringList roots;
    for (const BackupVolumes::Volume& volume : volumes) {
        texts.append(BackupTexts::DiskFree.arg(volume.name, volume.root,
                                               QLocale().formattedDataSize(volume.free)));
        roots.append(volume.root);
    }
    QStringList shownTexts;
    QStringList shownRoots;
    for (int row = 0; row < m_list->count(); ++row) {
        shownTexts.append(m_list->item(row)->text());
        shownRoots.append(m_list->item(row)->data(kRootRole).toString());
    }
    m_none->setVisible(volumes.isEmpty());
    // Left alone while nothing changes, so the user's choice is not disturbed.
    if (texts == shownTexts && roots == shownRoots)
        return;
    QString select = selectedRoot();
    for (const QString& root : std::as_const(roots)) {
        if (!shownRoots.contains(root)) {
            select = root;
            break;
        }
    }
    m_list->clear();
    for (qsizetype i = 0; i < texts.size(); ++i) {
        auto* item = new QListWidgetItem(texts[i], m_list);
        item->setData(kRootRole, roots[i]);
        if (roots[i] == select)
            m_list->setCurrentItem(item);
    }
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
