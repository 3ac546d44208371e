#pragma once

#include "data/settings/PrintSettings.h"
#include "data/settings/ShopDetails.h"
#include "data/tables/TableRows.h"

#include <QString>

#include <array>
#include <vector>

namespace kv::slips {

// Everything a slip printout shows, read once before the run starts so
// that no record is looked up while pages are painted: the slip's header
// and totals, the line grid's texts as shown, the billing customer, the
// vehicle, the shop and the print settings.
struct SlipPrintData {
    // DenNo, DenKind, the dates (day numbers, empty-date value for none),
    // Km and every totals column.
    data::SyaheadRow slip;
    // The job category's name; empty when its code is not found.
    QString categoryName;
    // The grid's rows from the first on, seven cell texts each as shown;
    // as many as the grid has used.
    std::vector<std::array<QString, 7>> rows;
    data::KokRow billing;
    data::CarRow vehicle;
    // The make's entry of the make list.
    QString makeName;
    data::ShopDetails shop;
    data::PrintSettings settings;
    // The shop's invoice registration number; with one a delivery note
    // prints as a qualified invoice.
    QString registrationNumber;
    // The consumption tax rate in hundredths of a percent (1000 = 10 %).
    int taxRate = 0;
    // An invoice of this slip was issued before it last changed.
    bool corrected = false;
    // The copies 1..3 selected in the profile for the slip's kind.
    std::array<bool, 3> copies{true, true, true};
};

} // namespace kv::slips
