#pragma once

#include "data/settings/ListLayout.h"

#include <QByteArray>
#include <QStringList>

namespace kv::data {

// The entries of one list file ("006.dat", "010.dat" ... "014.dat"); always
// exactly as many as the layout has, entry 0 being the empty choice of the
// vehicle form's drop-downs.
class SettingsList {
public:
    explicit SettingsList(const ListLayout& layout);

    const ListLayout& layout() const { return *m_layout; }
    int count() const { return int(m_entries.size()); }
    QString entry(int index) const; // empty outside the list
    const QStringList& entries() const { return m_entries; }
    // False for an index outside the list; the text is checked when saved.
    bool setEntry(int index, const QString& text);

    // Record by record; a short file leaves the remaining entries empty.
    void readBytes(const QByteArray& bytes);
    // Each entry zero-padded to the record size; empty with the refusal in
    // *refusal when an entry does not fit its text bytes.
    QByteArray toBytes(QString* refusal = nullptr) const;

    bool operator==(const SettingsList& other) const;

private:
    const ListLayout* m_layout;
    QStringList m_entries;
};

} // namespace kv::data
