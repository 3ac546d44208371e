#pragma once

#include "data/costs/CostRow.h"

#include <QString>

#include <optional>
#include <vector>

namespace kv::data {

class Connection;

// The shop's choices the costs depend on, kept with the tables so that
// every computer of the shop uses the same.
struct CostSettings {
    CostArea area = CostArea::Mainland;
    InspectionPath path = InspectionPath::Designated;
    bool operator==(const CostSettings&) const = default;
};

// The statutory cost tables in "001.mdb", shared by every computer: the
// dated rows, the shop's area and inspection path, and the vehicles' eco
// flags (beside the vehicle table, whose layout stays as it is). Every
// write is one unit of work; the methods return the message to show,
// empty when done.
class CostStore {
public:
    explicit CostStore(Connection& mainConnection);

    // Creates the tables with the rows the program ships when the file does
    // not have them yet, all or nothing. Done once per data folder.
    QString ensureTables();
    static std::vector<CostRow> shippedRows();

    // In table, class and date order; nullopt after a database error.
    std::optional<std::vector<CostRow>> rows();
    // Adds a row (id 0) or changes the stored row of its id.
    QString write(const CostRow& row);
    QString remove(int id);
    // Adds the rows of an imported table: every one or none of them.
    QString import(const std::vector<CostRow>& rows);

    std::optional<CostSettings> settings();
    QString writeSettings(const CostSettings& settings);

    // A vehicle without a row is no eco car.
    bool isEco(int carCode);
    QString setEco(int carCode, bool eco);
    // The vehicle was deleted.
    QString forgetVehicle(int carCode);

    const QString& lastMessage() const { return m_lastMessage; }

private:
    QByteArray table(const char* name) const;
    bool tablesExist();
    QString insert(const CostRow& row);
    QString deleteWhere(const char* table, const char* column, int value);
    QString failure();

    Connection& m_connection;
    QString m_lastMessage;
};

} // namespace kv::data
