#pragma once

#include <QDate>
#include <QString>

namespace kv::data {

// A handful of customers with their vehicles, the shop's usual work and
// parts items and the vehicles' models in the model pick list, a back
// picture for the postcards, written
// through the typed recordsets into a fresh data folder, so that the
// program can be tried on something that looks real.
class DemoData {
public:
    static constexpr int kCustomers = 8;
    // Vehicles whose inspection falls due in each of the months after
    // today's.
    static constexpr int kDueMonths = 3;
    static constexpr int kDuePerMonth = 2;

    // The back picture of the postcards, in the data folder.
    static QString backPictureName() { return QStringLiteral("PostcardBack.png"); }

    // Inspection and insurance dates are spread around today. The record
    // counters are set to the new counts.
    static bool write(const QString& dataFolder, QDate today, QString* error = nullptr);
};

} // namespace kv::data
