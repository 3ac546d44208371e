#include "backup/ui/CDBackup.h"

#include "backup/core/BackupPathCheck.h"
#include "backup/core/BackupTexts.h"
#include "common/MessageGateway.h"
#include "controls/CEditEx.h"
#include "controls/FileChooser.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

namespace kv::backup {

namespace {
const QString kSection = QStringLiteral("Backup");
} // namespace

CDBackup::CDBackup(BackupVolumes& volumes, QSettings* profile, const QString& localDataFolder,
                   QWidget* parent, const QDateTime& now)
    : QDialog(parent)
    , m_volumes(volumes)
    , m_profile(profile)
{
    setWindowTitle(QStringLiteral("バックアップ"));
    auto* label = new QLabel(QStringLiteral("バックアップを保存する場所"), this);
    m_edit = new CEditEx(this);
    m_edit->setObjectName(QStringLiteral("path"));
    m_edit->setInputMode(CEditEx::InputMode::Direct);
    m_edit->setMaxLength(255);
    m_edit->setMinimumWidth(420);
    m_browse = new QPushButton(QStringLiteral("参照(&A)"), this);
    m_run = new QPushButton(QStringLiteral("実行(&Z)"), this);
    m_cancel = new QPushButton(QStringLiteral("中止(Esc)"), this);
    m_run->setDefault(true);

    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(m_edit, 1);
    pathRow->addWidget(m_browse);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_run);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(pathRow);
    layout->addLayout(buttons);

    connect(m_browse, &QPushButton::clicked, this, &CDBackup::browse);
    connect(m_run, &QPushButton::clicked, this, &CDBackup::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CDBackup::reject);

    QString folder = localDataFolder;
    if (m_profile)
        folder = m_profile->value(kSection + QStringLiteral("/Path"), localDataFolder).toString();
    m_edit->setText(defaultPath(folder, now));
    m_edit->setFocus();
}

QString CDBackup::defaultPath(const QString& folder, const QDateTime& now)
{
    QString base = folder;
    while (base.size() > 1 && base.endsWith(u'/'))
        base.chop(1);
    return base + (base.endsWith(u'/') ? QString() : QStringLiteral("/"))
         + QStringLiteral("ｻﾋﾞｵﾝﾊﾞｯｸｱｯﾌﾟ ")
         + now.toString(QStringLiteral("yy年MM月dd日 HH時mm分ss秒")) + QStringLiteral(".SBK");
}

void CDBackup::browse()
{
    // The overwrite question comes with the destination's checks.
    const QString chosen = fileChooser().saveFile(this, QStringLiteral("バックアップを保存する場所"),
                                                  m_edit->text(), BackupTexts::FileFilter);
    if (!chosen.isEmpty())
        m_edit->setText(chosen);
    m_edit->setFocus();
}

void CDBackup::accept()
{
    QString path = m_edit->text().trimmed();
    BackupPathCheck check(m_volumes, messageGateway());
    if (!check.ValidateBackupPath(path, &m_driveType, &m_folder)) {
        m_edit->setFocus();
        m_edit->selectAll();
        return;
    }
    m_path = path;
    m_edit->setText(path);
    if (m_profile) {
        m_profile->setValue(kSection + QStringLiteral("/Path"), m_folder);
        const QString name = path.section(u'/', -1);
        if (!name.isEmpty())
            m_profile->setValue(kSection + QStringLiteral("/FileName"), name);
    }
    QDialog::accept();
}

} // namespace kv::backup
