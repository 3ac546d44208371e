#pragma once

#include "records/PanelValues.h"

#include <QString>

namespace kv::records {

class PanelRecordSource;

// The outcome of bringing a record onto the panel: on success the values to
// show; on failure the message, and the panel stays as it was.
struct PanelLookupResult {
    bool ok = false;
    QString message;
    bool hasVehicle = false;
    PanelValues values;
};

// The look-ups behind showing and stepping: which records to show, the
// messages when they are missing, placeholders never shown.
class PanelLookup {
public:
    enum class Direction { Previous, Next };

    explicit PanelLookup(PanelRecordSource& source);

    static QString placeholderText(); // "新規作成中"
    static QString missingCustomer(); // "該当顧客が存在しません！"
    static QString missingVehicle();  // "該当車輌が存在しません！"
    static QString brokenVehicle();   // "該当顧客が存在しません！\nこの車輌は異常です！"
    // The referrer's name: the user name lines run together, cut to 20 bytes.
    static QString referrerNameOf(const QString& userName1, const QString& userName2);
    static QString missingReferrerName(); // "該当紹介元顧客なし！"

    // The customer with its first vehicle (ShowCustomer).
    PanelLookupResult customer(int code);
    // The vehicle with its owner (ShowVehicle).
    PanelLookupResult vehicle(int code);
    // The neighbouring customer in the recordset's order, with its first vehicle.
    PanelLookupResult stepCustomer(int shownCode, Direction direction);
    // The neighbouring vehicle in the recordset's order, with its owner.
    PanelLookupResult stepVehicle(int shownCode, Direction direction);
    // Fills the vehicle half from the customer's first vehicle, or clears it.
    bool showFirstVehicleOf(int customerCode, PanelValues& values);

private:
    // Fills the customer half from the current customer record, its
    // referrer's name included; the cursor is left on that customer.
    void showCurrentCustomer(PanelValues& values);
    bool currentCustomerIsPlaceholder();
    bool currentVehicleIsPlaceholder();

    PanelRecordSource& m_source;
};

} // namespace kv::records
