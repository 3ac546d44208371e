#pragma once

#include "records/PanelField.h"
#include "records/PanelValues.h"
#include "data/tables/TableRows.h"

#include <QString>


namespace kv::records::search {
class QueryFormValues;
}

namespace kv::records {

// A write-back that could not convert a field: the field to focus and the
// message to show.
struct WriteBackResult {
    bool ok = true;
    PanelField field = PanelField::Count;
    QString message;

    static WriteBackResult failure(PanelField field, QString message)
    {
        return {false, field, std::move(message)};
    }
};

// Moves values between customer and vehicle rows and the panel's held
// values, with every conversion of the
// fields (comma groups, hundredths, postal code, era dates, the marker of
// the base of use). The code columns and 保有台数 are shown but never
// written: the record is found by its code, and the vehicle count is kept
// by the recording itself.
class PanelRecordBinding {
public:
    static void showCustomer(const data::KokRow& record, PanelValues& values);
    static void showVehicle(const data::CarRow& record, PanelValues& values);

    // The values of a customer being created: texts empty, numbers 0, 年賀状
    // ticked, honorific 様.
    static void clearCustomerForNew(PanelValues& values);
    // An empty vehicle: amounts and weights "0", displacement "0.00",
    // codes and dates empty.
    static void clearVehicle(PanelValues& values);

    // Writes the held values into a row, checking the fields in recording
    // order; the row is left partly written when a field fails.
    static WriteBackResult writeCustomer(const PanelValues& values, data::KokRow& record);
    static WriteBackResult writeVehicle(const PanelValues& values, int ownerCode,
                                        data::CarRow& record);

    // The panel as the query form: every field of one half read and checked
    // as for recording, the code as an integer with 0 for no condition.
    static WriteBackResult readCustomerQuery(const PanelValues& values,
                                             search::QueryFormValues& query);
    static WriteBackResult readVehicleQuery(const PanelValues& values,
                                            search::QueryFormValues& query);
};

} // namespace kv::records
