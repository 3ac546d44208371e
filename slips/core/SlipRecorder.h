#pragma once

#include "slips/core/SlipRecording.h"

#include <QString>

namespace kv::data {
class CCarMaintenanceDoc;
}

namespace kv::slips {

// Recording a slip: its header, its lines, the vehicle's inspection expiry
// and, for a delivery note, the sale in the billing customer's ledger, all
// in one unit of work inside the "Printing" section. Whether a first sale
// is posted is asked before anything is locked or written; a full or
// unreadable ledger leaves the slip recorded without its sale and says so
// afterwards.
class SlipRecorder {
public:
    struct Outcome {
        bool recorded = false;
        // Whether the ledger holds the slip's sale now.
        bool posted = false;
        // Empty when the record service has shown its own, or all went well.
        QString message;
    };

    explicit SlipRecorder(data::CCarMaintenanceDoc& document);

    Outcome record(const SlipRecording& slip);

    static constexpr int kMaxLedgerRows = 1000;
    static QString ledgerFullMessage();

private:
    struct Posting;
    Outcome checkRecords(const SlipRecording& slip);
    Posting planPosting(const SlipRecording& slip);
    bool writeAll(const SlipRecording& slip, const Posting& posting, QString* error);

    data::CCarMaintenanceDoc& m_document;
};

} // namespace kv::slips
