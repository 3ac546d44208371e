#include "reports/core/ReportCsv.h"

#include "common/Cp932.h"
#include "reports/core/ReportTable.h"

#include <QFileInfo>
#include <QSaveFile>

namespace kv::reports {

QString ReportCsv::field(const QString& text)
{
    static const QString special = QStringLiteral(",\"\r\n");
    bool quoted = false;
    for (const QChar character : text)
        quoted = quoted || special.contains(character);
    if (!quoted)
        return text;
    QString doubled = text;
    doubled.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

namespace {

QByteArray encoded(const QString& line, ReportCsv::Encoding encoding)
{
    return encoding == ReportCsv::Encoding::Cp932 ? cp932::encode(line) : line.toUtf8();
}

bool failed(QSaveFile& file, QString* error)
{
    if (error)
        *error = QStringLiteral("%1 に書込めません！").arg(QFileInfo(file.fileName()).absoluteFilePath());
    file.cancelWriting();
    return false;
}

} // namespace

bool ReportCsv::write(ReportTable& table, const QString& path, Encoding encoding, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failed(file, error);
    if (encoding == Encoding::Utf8Bom && file.write("\xEF\xBB\xBF") != 3)
        return failed(file, error);

    const std::vector<ReportColumn> columns = table.columns();
    const auto writeLine = [&](const QStringList& fields) {
        const QByteArray bytes = encoded(fields.join(QLatin1Char(',')) + QStringLiteral("\r\n"), encoding);
        return file.write(bytes) == bytes.size();
    };

    QStringList titles;
    for (const ReportColumn& column : columns)
        titles << field(column.title);
    if (!writeLine(titles))
        return failed(file, error);

    const int rows = table.rowCount();
    for (int index = 0; index < rows; ++index) {
        const ReportRow row = table.row(index);
        QStringList fields;
        for (size_t column = 0; column < columns.size(); ++column)
            fields << field(column < row.size() ? ReportCells::plain(columns[column], row[column])
                                                : QString());
        if (!writeLine(fields))
            return failed(file, error);
    }
    if (!file.commit())
        return failed(file, error);
    return true;
}

} // namespace kv::reports
