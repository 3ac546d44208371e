#pragma once

#include "data/tables/TableRows.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <vector>

namespace kv::slips {

// The photos of an open slip. While the slip is open its photos are copies
// in a work folder of this computer's own; recording puts them into the
// photo folder under names that begin with the slip number ("%06d") and
// the 1-based row ("%02d"). Stored files are never overwritten: a recording
// that fails leaves the stored slip's photos as they were, and files go
// only once no recorded line names them. Messages are returned.
class SlipPhotos {
public:
    SlipPhotos(QString photoFolder, QString workFolder);

    // The names of a Photo column (each ending CR LF) and back.
    static QStringList namesOf(const QString& column);
    static QString columnOf(const QStringList& names);
    // The work folder in this computer's own temporary folder.
    static QString workFolderFor(const QString& temporaryFolder);

    const QString& workFolder() const { return m_work; }
    QString workPath(const QString& name) const;

    // Empties the work folder, creating it when missing.
    bool clearWork(QString* message) const;
    // Copies the photos the stored lines name into the work folder; a name
    // whose file is gone is dropped from its line.
    bool loadInto(std::vector<data::SyaJnlRow>& lines, QString* message) const;
    // Copies chosen image files into the work folder under fresh names and
    // appends those to the column.
    bool attach(const QStringList& files, QString* column, QString* message) const;

    // Recording, before the unit of work: every photo the lines name is
    // copied into the photo folder under its final name (skipped when it
    // is already stored there) and the lines name the final files.
    bool place(int slipNumber, std::vector<data::SyaJnlRow>& lines, QString* message);
    // The unit failed: what place() copied goes again.
    void discardPlaced();
    // The unit committed: the slip's stored files no line names any more go.
    void removeUnnamed(int slipNumber) const;

    // Bytes of the slip's stored photos; false when they cannot be measured.
    static bool storedSize(const QString& photoFolder, int slipNumber, qint64* bytes);
    static QString slipPrefix(int slipNumber);

private:
    QString finalName(int slipNumber, int row, const QString& workName, QSet<QString>* taken) const;
    static QString copyFailure(int code);

    QString m_photos;
    QString m_work;
    QStringList m_placed;
    QSet<QString> m_named;
};

} // namespace kv::slips
