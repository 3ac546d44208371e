#pragma once

#include <QString>

namespace kv::reports {

// The vehicles of the vehicle list: a code range in code order. A vehicle
// being entered on some computer (its chassis number the placeholder) is
// never listed.
struct VehicleSelection {
    int codeFrom = 1;
    int codeTo = 999999;

    QString filter() const;
    QString sort() const { return QStringLiteral("CarCode"); }

    // The condition that leaves out placeholders.
    static QString notPlaceholder();
};

} // namespace kv::reports
