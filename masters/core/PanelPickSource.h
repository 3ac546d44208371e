#pragma once

#include "masters/core/ItemRow.h"

#include <QStringList>

#include <vector>

namespace kv::data {
class CCarMaintenanceDoc;
}

namespace kv::masters {

// The rows of the panel's pick lists, copied out of their tables and files
// so that a list needs no open cursor: the address phrases, the customer
// names with their readings, the transport offices and the models of a
// make. A row is an ItemRow: code the record's ID, text and reading.
class PanelPickSource {
public:
    static constexpr int kMaxAddresses = 500;
    static constexpr int kMaxNames = 500;
    static constexpr int kTransportOffices = 20;
    static constexpr int kMaxModels = 999;
    static constexpr int kAddressBytes = 30;
    static constexpr int kNameBytes = 20;
    static constexpr int kOfficeBytes = 8;

    explicit PanelPickSource(kv::data::CCarMaintenanceDoc& document);

    // "Jyu" in the order "Furi, Jyu, ID".
    std::vector<ItemRow> addresses();
    // "KokName" in the order "KokFuri, KokName, ID".
    std::vector<ItemRow> customerNames();
    // The 20 names of "006.dat", read anew; 20 empty rows after the file's
    // message when it cannot be read.
    std::vector<ItemRow> transportOffices();
    // The makes of the vehicle form without its empty first choice; the
    // drop-down's index i is the make i + 1.
    QStringList makes();
    // The models of make index + 1, in the order "Syasyu, ID"; the reading
    // is the model text, which the kana buttons go by.
    std::vector<ItemRow> models(int makeIndex);

    // What choosing does to the panel's texts: the phrase appended and the
    // result cut to the field's CP932 bytes; a transport office replaces
    // the text, at most its bytes.
    static QString appended(const QString& target, const QString& chosen, int maxBytes);
    static QString officeName(const QString& chosen);

private:
    kv::data::CCarMaintenanceDoc& m_document;
};

} // namespace kv::masters
