#pragma once

#include "reports/core/CustomerSelection.h"
#include "reports/core/ReportTable.h"
#include "reports/core/SelectedRows.h"
#include "reports/core/VehicleSelection.h"
#include "data/tables/DaoRecordsets.h"

#include <QStringList>

#include <unordered_map>
#include <vector>

namespace kv::reports {

// The nine outputs of the customer file, their titles, page units and the
// fields each one takes.
namespace CustomerFile {

enum Output {
    CustomerVehicleList = 0, // 35 lines a page
    CustomerList = 1,        // 13 customers
    VehicleList = 2,         // 6 vehicles
    AddressBook = 3,         // 20 customers
    Labels = 4,
    PostcardAddresses = 5,
    PostcardBacks = 6,
    PostcardAddressTest = 7,
    PostcardBackTest = 8,
};
constexpr int kOutputs = 9;
constexpr int kReportKind = 0;

// The print job's title, as the output is offered.
QString title(int output);
// Rows a page of the list outputs 1 to 3.
int pageUnit(int output);

// Which fields an output takes.
struct Enabling {
    bool order = false;
    bool range = false;
    bool vehicleCodes = false;
    bool greetings = false;
    bool copies = false;
    bool start = false;
    bool pages = false;
    bool settings = false;
    bool operator==(const Enabling&) const = default;
};
Enabling enabling(int output);

// The selection in words, for the heading of a list.
QStringList headings(const CustomerSelection& customers);
QStringList headings(const VehicleSelection& vehicles);

} // namespace CustomerFile

// The customer list (13 a page) and the address book (20 a page) of a
// customer selection, read row by row.
class CustomerListTable final : public ReportTable {
public:
    enum class Kind { List, AddressBook };

    CustomerListTable(data::DataStore& store, const CustomerSelection& selection, Kind kind);

    bool isOpen() const { return m_rows.isOpen(); }
    const data::EngineError& lastError() const { return m_rows.lastError(); }
    QString title() const override;
    QStringList headings() const override { return m_headings; }
    std::vector<ReportColumn> columns() const override;
    int rowCount() override { return m_rows.count(); }
    ReportRow row(int index) override;

private:
    SelectedRows<CDaoKokSet> m_rows;
    Kind m_kind;
    QStringList m_headings;
};

// The vehicle list, 6 a page; makes are named by the list of makes.
class VehicleListTable final : public ReportTable {
public:
    VehicleListTable(data::DataStore& store, const VehicleSelection& selection, QStringList makes);
    // Another list of vehicles in the same columns: its own title, filter,
    // sort and heading lines.
    VehicleListTable(data::DataStore& store, QString title, const QString& filter, const QString& sort,
                     QStringList headings, QStringList makes);

    bool isOpen() const { return m_rows.isOpen(); }
    const data::EngineError& lastError() const { return m_rows.lastError(); }
    QString title() const override;
    QStringList headings() const override { return m_headings; }
    std::vector<ReportColumn> columns() const override;
    int rowCount() override { return m_rows.count(); }
    ReportRow row(int index) override;

private:
    QString m_title;
    SelectedRows<CDaoCarSet> m_rows;
    QStringList m_makes;
    QStringList m_headings;
};

// The customers with the vehicles they own: a customer's row takes 3 of a
// page's 35 lines, each vehicle's 6; the pages follow CustomerVehiclePages.
// Row i is entry i of the customers and vehicles in turn.
class CustomerVehicleTable final : public ReportTable {
public:
    CustomerVehicleTable(data::DataStore& store, const CustomerSelection& selection,
                         QStringList makes);

    bool isOpen() const { return m_customers.isOpen() && m_vehicles.isOpen(); }
    const data::EngineError& lastError() const
    {
        return m_customers.isOpen() ? m_vehicles.lastError() : m_customers.lastError();
    }
    QString title() const override;
    QStringList headings() const override { return m_headings; }
    std::vector<ReportColumn> columns() const override;
    int rowCount() override { return int(m_entries.size()); }
    ReportRow row(int index) override;

    // The vehicles of each selected customer, in selection order.
    const std::vector<int>& vehicleCounts() const { return m_counts; }
    // The entry a page's place shows: the customer's row, or one vehicle's.
    int entryOf(int customer, int vehicle) const;

private:
    struct Entry {
        int customer = 0;
        int vehicle = -1; // index among all vehicles; -1 the customer
    };
    SelectedRows<CDaoKokSet> m_customers;
    SelectedRows<CDaoCarSet> m_vehicles;
    QStringList m_makes;
    QStringList m_headings;
    std::vector<int> m_counts;
    std::vector<int> m_firstEntry; // per customer
    std::vector<Entry> m_entries;
};

} // namespace kv::reports
