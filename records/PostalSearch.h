#pragma once

#include "data/engine/EngineError.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace kv::data {
class Connection;
class DataStore;
}

namespace kv::records {

// One row of the postal files: a code and the address it stands for.
struct PostalAddress {
    int post = 0;       // the seven digits as a number
    int prefecture = 0; // 1..47
    QString prefectureName;
    QString city;
    QString town;

    QString text() const { return prefectureName + city + town; }
    bool operator==(const PostalAddress&) const = default;
};

// The postal search of the panel over the postal files "015.mdb" ...
// "019.mdb" of the program folder: the addresses of a code, and the code of
// an address typed up to its town. The default prefecture (an index of the
// prefecture list, -1 none) is searched first. Files that are missing
// leave their prefectures out; without any the search is unavailable.
class PostalSearch {
public:
    explicit PostalSearch(data::DataStore& store);

    bool available() const;
    // Why the search is unavailable; empty when it is available.
    QString unavailableReason() const;

    // Every address of the code, the default prefecture's first, each
    // prefecture's in file order; empty for an unknown code.
    std::vector<PostalAddress> byCode(int post, int defaultPrefecture);
    // The addresses whose city and town begin the typed text, the longest
    // match of the first prefecture that has one (the one the text names,
    // else the default one, else in prefecture order); empty when none.
    std::vector<PostalAddress> byAddress(const QString& address, int defaultPrefecture);

    // The prefecture list of the search (and of its default), index 0 北海道.
    static QStringList prefectureList();

    const data::EngineError& lastError() const { return m_error; }

private:
    struct Table {
        int prefecture = 0;
        QByteArray from; // "schema"."table"
    };

    std::vector<const Table*> searchOrder(int firstPrefecture) const;
    // The rows of the table whose city begins the text.
    bool townsOfCities(const Table& table, const QString& text, std::vector<PostalAddress>& rows);

    data::Connection& m_connection;
    std::vector<Table> m_tables; // the open ones, in prefecture order
    QStringList m_missingFiles;
    data::EngineError m_error;
};

} // namespace kv::records
