#pragma once

#include "data/tables/TableRows.h"

#include <QString>

#include <vector>

namespace kv::slips {

// How a slip window holds its slip: 0 new, 1 modify, 2 transfer (a new
// slip started as a copy of an old one).
enum class SlipMode { New = 0, Modify = 1, Transfer = 2 };

// Slip kinds: only a delivery note becomes a sale.
enum SlipKind : int { DeliveryNote = 0, WorkOrder = 1, RoughEstimate = 2, Estimate = 3 };

// The job-category kind of a statutory inspection (車検).
inline constexpr int kInspectionCategoryKind = 1;

// What the slip window hands to recording, all checked: the header with
// its totals (m_DenNo, m_CarCode, m_SeiKokCode, the issue date with the
// time of day), the lines that are not empty, the slip's customer and the
// kind of its job category.
struct SlipRecording {
    SlipMode mode = SlipMode::New;
    int customerCode = 0;
    int categoryKind = 0;
    data::SyaheadRow header;
    std::vector<data::SyaJnlRow> lines;
    // The slip window's photo work folder; empty for a slip without photos.
    QString photoWorkFolder;

    bool isNew() const { return mode != SlipMode::Modify; }
    bool isDeliveryNote() const { return header.m_DenKind == DeliveryNote; }
    // A new delivery note of an inspection moves the vehicle's expiry.
    bool movesInspectionExpiry() const
    {
        return isNew() && isDeliveryNote() && categoryKind == kInspectionCategoryKind;
    }
};

} // namespace kv::slips
