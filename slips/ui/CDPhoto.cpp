#include "slips/ui/CDPhoto.h"

#include "common/MessageGateway.h"
#include "controls/FileChooser.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv::slips {

namespace {

constexpr int kThumbnail = 96;
constexpr int kViewWidth = 480;
constexpr int kViewHeight = 360;

QPixmap scaledImage(const QString& path, QSize bounds)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull())
        return {};
    return QPixmap::fromImage(image.scaled(bounds, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

} // namespace

CDPhoto::CDPhoto(const SlipPhotos& photos, int row, const QString& column, QWidget* parent)
    : QDialog(parent), m_photos(photos), m_column(column), m_list(new QListWidget(this)),
      m_view(new QLabel(this)), m_remove(new QPushButton(QStringLiteral("削除(&D)"), this))
{
    setWindowTitle(QStringLiteral("写真   %1 行目").arg(row + 1));
    m_list->setViewMode(QListView::IconMode);
    m_list->setIconSize(QSize(kThumbnail, kThumbnail));
    m_list->setMovement(QListView::Static);
    m_list->setFixedWidth(kThumbnail + 40);
    m_view->setMinimumSize(kViewWidth, kViewHeight);
    m_view->setAlignment(Qt::AlignCenter);
    m_view->setFrameShape(QFrame::StyledPanel);

    auto* add = new QPushButton(QStringLiteral("追加(&A)..."), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("閉じる"));
    buttons->addButton(add, QDialogButtonBox::ActionRole);
    buttons->addButton(m_remove, QDialogButtonBox::ActionRole);

    auto* pictures = new QHBoxLayout;
    pictures->addWidget(m_list);
    pictures->addWidget(m_view, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(pictures, 1);
    layout->addWidget(buttons);

    connect(add, &QPushButton::clicked, this, &CDPhoto::addPhotos);
    connect(m_remove, &QPushButton::clicked, this, &CDPhoto::removePhoto);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::accept);
    connect(m_list, &QListWidget::currentRowChanged, this, &CDPhoto::showChosen);
    fillList();
}

void CDPhoto::fillList()
{
    const int chosen = m_list->currentRow();
    m_list->clear();
    for (const QString& name : SlipPhotos::namesOf(m_column)) {
        auto* item = new QListWidgetItem(QIcon(scaledImage(m_photos.workPath(name),
                                                           QSize(kThumbnail, kThumbnail))),
                                         QString(), m_list);
        item->setData(Qt::UserRole, name);
        item->setToolTip(name);
    }
    if (m_list->count() > 0)
        m_list->setCurrentRow(qBound(0, chosen, m_list->count() - 1));
    showChosen();
}

void CDPhoto::showChosen()
{
    QListWidgetItem* item = m_list->currentItem();
    m_remove->setEnabled(item != nullptr);
    if (!item) {
        m_view->setPixmap({});
        m_view->setText(QStringLiteral("写真がありません"));
        return;
    }
    const QPixmap image = scaledImage(m_photos.workPath(item->data(Qt::UserRole).toString()),
                                      m_view->size());
    if (image.isNull())
        m_view->setText(QStringLiteral("この写真は表示できません"));
    else
        m_view->setPixmap(image);
}

void CDPhoto::addPhotos()
{
    const QStringList files = fileChooser().openFiles(this, QStringLiteral("写真の追加"),
                                                      QDir::homePath(), imageFilter());
    if (files.isEmpty())
        return;
    for (const QString& file : files) {
        if (QImageReader(file).canRead())
            continue;
        showMessage(QStringLiteral("%1 は画像ファイルではありません！").arg(file));
        return;
    }
    QString message;
    if (!m_photos.attach(files, &m_column, &message))
        showMessage(message);
    fillList();
    m_list->setCurrentRow(m_list->count() - 1);
}

void CDPhoto::removePhoto()
{
    QListWidgetItem* item = m_list->currentItem();
    if (!item || !askYesNo(QStringLiteral("この写真を明細から外します。\nよろしいですか？")))
        return;
    QStringList names = SlipPhotos::namesOf(m_column);
    names.removeOne(item->data(Qt::UserRole).toString());
    m_column = SlipPhotos::columnOf(names);
    fillList();
}

} // namespace kv::slips
