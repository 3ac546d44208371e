#include "data/settings/InvoiceIssuer.h"

#include "common/FileErrorMessage.h"
#include "common/platform/SharedFile.h"

#include <QFile>
#include <QSaveFile>

namespace kv::data {

namespace {

constexpr char kKey[] = "RegistrationNumber=";

QString pathIn(const QString& dataFolder)
{
    return dataFolder + QLatin1Char('/') + InvoiceIssuer::kFileName;
}

} // namespace

bool InvoiceIssuer::load(const QString& dataFolder, InvoiceIssuer* into)
{
    QFile file(pathIn(dataFolder));
    if (!file.exists()) {
        *into = {};
        return true;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        showFileError(file.fileName(), FileCause::AccessDenied);
        return false;
    }
    InvoiceIssuer read;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith(kKey))
            read.registrationNumber = QString::fromUtf8(line.mid(int(sizeof kKey) - 1)).trimmed();
    }
    *into = read;
    return true;
}

bool InvoiceIssuer::save(const QString& dataFolder) const
{
    QSaveFile file(pathIn(dataFolder));
    if (!file.open(QIODevice::WriteOnly)) {
        showFileError(file.fileName(), FileCause::AccessDenied);
        return false;
    }
    file.write(kKey);
    file.write(registrationNumber.toUtf8());
    file.write("\n");
    if (!file.commit()) {
        showFileError(file.fileName(), FileCause::HardIO);
        return false;
    }
    return true;
}

} // namespace kv::data
