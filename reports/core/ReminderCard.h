#pragma once

#include "reports/core/PostcardAddress.h"

#include <QString>

#include <optional>

namespace kv::reports {

// What one inspection reminder card says besides its addressee.
struct ReminderCard {
    struct Costs {
        int compulsoryInsurance = 0; // 自賠責料
        int weightTax = 0;
        int stampFee = 0;
        int agencyFee = 0;
        int agencyTax = 0;           // shown only when the agency fee is taxable
        int total = 0;
    };

    PostcardAddress addressee;
    QString vehicleName;
    QString plate;
    QString expiry; // the era date as printed
    std::optional<Costs> costs; // the expenses block, when asked for
};

} // namespace kv::reports
