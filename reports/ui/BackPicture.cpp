#include "reports/ui/BackPicture.h"

#include "common/MessageGateway.h"
#include "controls/FileChooser.h"
#include "data/settings/SettingsStore.h"
#include "lan/core/ChangeAnnouncer.h"

#include <QFileInfo>
#include <QImageReader>

namespace kv::reports {

QString BackPicture::missingMessage(const QString& path)
{
    return QStringLiteral("%1が存在しません！\n他のﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙを選択して下さい").arg(path);
}

QImage BackPicture::load(data::SettingsStore& settings, int entry)
{
    const QString path = settings.bitmapNames().paths[entry];
    if (path.isEmpty())
        return {};
    QImageReader reader(path);
    reader.setAutoTransform(true);
    return reader.read();
}

QImage BackPicture::choose(QWidget* parent, data::SettingsStore& settings, int entry)
{
    // The chooser opens where the current picture is; the process's own
    // folder stays as it is (the chooser takes the folder as asked).
    QString start = settings.bitmapNames().paths[entry];
    for (;;) {
        const QString path = fileChooser().openFile(
            parent, QStringLiteral("裏面のﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ"), start,
            QStringLiteral("画像ﾌｧｲﾙ (*.bmp *.png *.jpg *.jpeg);;ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ (*.bmp);;"
                           "PNG (*.png);;JPEG (*.jpg *.jpeg)"));
        if (path.isEmpty())
            return {};
        QImageReader reader(path);
        reader.setAutoTransform(true);
        const QImage picture = reader.read();
        if (picture.isNull()) {
            showMessage(missingMessage(path));
            start = path;
            continue;
        }
        data::BitmapFileNames& names = settings.bitmapNames();
        const QString previous = names.paths[entry];
        names.paths[entry] = path;
        if (!settings.SaveSettingsFile(data::SettingsFileId::BitmapNames)) {
            names.paths[entry] = previous;
            return {};
        }
        lan::changeAnnouncer().announceUpdate(QStringLiteral("ファイル名"));
        return picture;
    }
}

QImage BackPicture::loadOrChoose(QWidget* parent, data::SettingsStore& settings, int entry)
{
    const QString path = settings.bitmapNames().paths[entry];
    if (path.isEmpty())
        return {};
    QImage picture = load(settings, entry);
    if (!picture.isNull())
        return picture;
    showMessage(missingMessage(path));
    return choose(parent, settings, entry);
}

} // namespace kv::reports
