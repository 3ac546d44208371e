// A computer writing delivery notes on a shared data folder:
//
//   slips FOLDER COMPUTER CUSTOMER VEHICLE COUNT
//
// opens the document as a client under its own computer name and records
// COUNT delivery notes of 90 lines with their sales for the customer's
// vehicle (0: until it is killed), each under a fresh slip number, printing
// "slip N" after each one is recorded.

#include "PeerCommands.h"

#include "common/MessageGateway.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "slips/core/SlipRecorder.h"

#include <cstdio>

namespace kv::test::peer {

namespace {

// The clerk who always wants the sale in the books.
class PostingClerk final : public MessageGateway {
public:
    void showMessage(const QString& text, Icon) override
    {
        std::fprintf(stderr, "message: %s\n", text.toUtf8().constData());
    }
    bool askYesNo(const QString&, bool, Icon) override { return true; }
};

slips::SlipRecording deliveryNote(int number, int customer, int vehicle)
{
    slips::SlipRecording slip;
    slip.customerCode = customer;
    slip.header.m_DenNo = number;
    slip.header.m_CarCode = vehicle;
    slip.header.m_SeiKokCode = customer;
    slip.header.m_HatuDate = 46000.5;
    slip.header.m_Tot = slip.header.m_Seikyu = 90 * 1000;
    for (int row = 0; row < 90; ++row) {
        data::SyaJnlRow line;
        line.m_LineNo = row;
        line.m_Meisai = QStringLiteral("部品%1").arg(row);
        line.m_Kingaku = 1000;
        slip.lines.push_back(line);
    }
    return slip;
}

} // namespace

int runSlips(const QStringList& args)
{
    if (args.size() != 5)
        return 1;
    PostingClerk clerk;
    installMessageGateway(&clerk);
    data::DocumentConfig config = clientConfig(args[0], args[1]);
    config.openTiming = {1, 60000};
    data::CCarMaintenanceDoc doc(config);
    if (!doc.OpenAllDatabases())
        return 2;
    const int count = args[4].toInt();
    slips::SlipRecorder recorder(doc);
    for (int i = 0; count == 0 || i < count; ++i) {
        const int number = doc.NextSlipNumber();
        if (number == 0)
            return 3;
        if (!recorder.record(deliveryNote(number, args[2].toInt(), args[3].toInt())).recorded)
            return 4;
        std::printf("slip %d\n", number);
        std::fflush(stdout);
    }
    doc.CloseDatabases();
    return 0;
}

} // namespace kv::test::peer
