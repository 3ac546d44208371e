#pragma once

#include "slips/core/SlipPrintData.h"
#include "slips/core/SlipRecording.h"

#include <QString>

namespace kv::data {
class CCarMaintenanceDoc;
}

namespace kv::slips {

// What a slip print run reads from the records, once, before the first
// page: the slip's customer, billing customer and vehicle must exist; the
// billing customer, the vehicle, the job category's name, the make's name,
// the shop and the print settings are copied into the printout's data, so
// the run itself holds no shared file.
class SlipPrintSource {
public:
    struct Outcome {
        bool ok = false;
        // The missing record's message or the database's; empty when ok.
        QString message;
        SlipPrintData data;
    };

    explicit SlipPrintSource(data::CCarMaintenanceDoc& document);

    // slip: the header with its totals (DenNo, CarCode, SeiKokCode, the
    // kind, the dates); rows: the grid's texts as shown.
    Outcome gather(const data::SyaheadRow& slip, int customerCode,
                   std::vector<std::array<QString, 7>> rows, const std::array<bool, 3>& copies);

    // After printing a slip that was not recorded: a new slip's number
    // becomes the last one in "001.dat" and a new delivery note of an
    // inspection moves the vehicle's expiry. Nothing else is written. False
    // with the database's message.
    bool notePrintedOnly(const SlipRecording& slip, QString* error);

private:
    data::CCarMaintenanceDoc& m_document;
};

} // namespace kv::slips
