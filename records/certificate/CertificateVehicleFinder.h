#pragma once

#include "records/certificate/CertificateData.h"

namespace kv::data {
class DataStore;
}

namespace kv::records {

// The recorded vehicle a certificate is about: by its chassis number, else
// by its plate; placeholders of new vehicles are never found.
class CertificateVehicleFinder {
public:
    explicit CertificateVehicleFinder(data::DataStore& store) : m_store(store) {}

    struct Found {
        int vehicleCode = 0; // 0: none
        int customerCode = 0;
    };
    Found find(const CertificateData& data);

private:
    Found first(const QString& filter);

    data::DataStore& m_store;
};

} // namespace kv::records
