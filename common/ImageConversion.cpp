#include "common/KVCommon.h"

#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPixmap>

namespace {

// The pixels as stored: orientation tags are left to whoever shows them.
QImage loadImage(const QString& source)
{
    QImageReader reader(source);
    return reader.read();
}

// quality: 0..100 where the format has a quality, otherwise -1 (the
// format's default).
int convert(const QString& source, const QString& destination, const char* format,
            int quality = -1, bool progressive = false)
{
    const QImage image = loadImage(source);
    if (image.isNull())
        return 0;
    QImageWriter writer(destination, format);
    if (quality >= 0 && quality <= 100)
        writer.setQuality(quality);
    if (progressive)
        writer.setProgressiveScanWrite(true);
    return writer.write(image) ? 1 : 0;
}

} // namespace

extern "C" {

int ToBMP(QString source, QString destination)
{
    return convert(source, destination, "bmp");
}

// option1 is the JPEG quality (0..100, other values keep the default);
// option2, when set, asks for a progressive file.
int ToJPG(QString source, QString destination, int option1, int option2)
{
    return convert(source, destination, "jpeg", option1, option2 != 0);
}

// The option is a quality of 0..100, which Qt turns into the compression
// level (100 least compressed).
int ToPNG(QString source, QString destination, int option)
{
    return convert(source, destination, "png", option);
}

// Qt ships no GIF writer: unless a plug-in supplies one this returns 0.
int ToGIF(QString source, QString destination, int option)
{
    Q_UNUSED(option);
    return convert(source, destination, "gif");
}

// The pixmap has the image's pixels one for one; the device only has to be
// one a pixmap can be drawn on, which every paint device of Qt is.
int DIBtoOBJ(QPaintDevice* dc, QString image, QPixmap* out)
{
    Q_UNUSED(dc);
    if (!out)
        return 0;
    const QImage loaded = loadImage(image);
    if (loaded.isNull())
        return 0;
    *out = QPixmap::fromImage(loaded);
    return out->isNull() ? 0 : 1;
}

} // extern "C"
