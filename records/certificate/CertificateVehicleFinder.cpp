#include "records/certificate/CertificateVehicleFinder.h"

#include "records/certificate/CertificateMapping.h"
#include "records/search/FilterLiteral.h"
#include "records/search/VehicleSearch.h"

#include "data/tables/DaoRecordsets.h"
#include "data/tables/DataStore.h"

namespace kv::records {

using search::FilterLiteral::text;

CertificateVehicleFinder::Found CertificateVehicleFinder::find(const CertificateData& data)
{
    if (!data.chassis.isEmpty()) {
        const Found byChassis = first(QStringLiteral("Syatai = %1").arg(text(data.chassis)));
        if (byChassis.vehicleCode != 0)
            return byChassis;
    }
    CertificateMapping::PlateParts plate;
    if (!CertificateMapping::plateParts(data.plate, &plate))
        return {};
    bool numeric = false;
    const int classNumber = plate.classNumber.toInt(&numeric);
    if (!numeric)
        return {};
    return first(QStringLiteral("Rikuji = %1 AND Rno = %2 AND Kana = %3 AND Preno = %4")
                     .arg(text(plate.office))
                     .arg(classNumber)
                     .arg(text(plate.kana))
                     .arg(plate.serial.toInt()));
}

CertificateVehicleFinder::Found CertificateVehicleFinder::first(const QString& filter)
{
    CDaoCarSet set(m_store.connectionFor(CDaoCarSet::tableDef()));
    set.SetFilter(filter + QStringLiteral(" AND ") + search::VehicleSearch::notPlaceholder());
    set.SetSort(QStringLiteral("CarCode"));
    if (!set.Open() || set.IsEOF())
        return {};
    return {set.m_CarCode, set.m_KokCode};
}

} // namespace kv::records
