#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class CDaoCarSet;
class CDaoKokSet;

namespace kv::records::search {

// How many rows each list holds.
namespace Capacity {
inline constexpr int kReadingMatches = 4000; // CDFuri
inline constexpr int kPlateMatches = 6000;   // CDPreno
inline constexpr int kOwnedVehicles = 500;   // CDHoyu
inline constexpr int kReadingIndex = 4000;   // CKokRanSearchListView
inline constexpr int kQueryResults = 6000;   // CAllSearchListView
} // namespace Capacity

// A customer as the lists show it.
struct CustomerRow {
    int code = 0;
    QString name;    // UserName1 + UserName2
    QString address; // UserJyu1 + UserJyu2 (the reading matches: UserJyu1 only)

    static CustomerRow of(const CDaoKokSet& record, bool firstAddressLineOnly = false);
};

// A vehicle as the lists show it.
struct VehicleRow {
    int code = 0;
    int customerCode = 0;
    QString office;      // Rikuji
    int classNumber = 0; // Rno
    QString kana;
    int number = 0;      // Preno
    QString vehicleName; // the entry of the vehicle-name list
    QString model;       // Syasyu

    static VehicleRow of(const CDaoCarSet& record, const QStringList& vehicleNames);
    // Office, class number, kana and number part run together ("%s%d%s%4d").
    QString plate() const;
    // The vehicle name, a blank and the model.
    QString nameAndModel() const;
};

// A row of the query-by-form results: a customer, and for vehicle results
// the vehicle too.
struct QueryResultRow {
    CustomerRow customer;
    bool hasVehicle = false;
    VehicleRow vehicle;
};

// The rows a list holds, at most its capacity. When more records matched,
// truncated is set and total tells how many did, so that the user can be
// told that the list is cut.
template <typename Row>
struct RowList {
    std::vector<Row> rows;
    int capacity = 0;
    int total = 0;
    bool truncated = false;
    // A database failure: its text, already shown to the user.
    QString failure;

    bool failed() const { return !failure.isEmpty(); }
    bool full() const { return int(rows.size()) >= capacity; }
};

} // namespace kv::records::search
