#include "records/search/SearchRows.h"

#include "data/tables/DaoRecordsets.h"

namespace kv::records::search {

CustomerRow CustomerRow::of(const CDaoKokSet& record, bool firstAddressLineOnly)
{
    CustomerRow row;
    row.code = record.m_KokCode;
    row.name = record.m_UserName1 + record.m_UserName2;
    row.address = firstAddressLineOnly ? record.m_UserJyu1 : record.m_UserJyu1 + record.m_UserJyu2;
    return row;
}

VehicleRow VehicleRow::of(const CDaoCarSet& record, const QStringList& vehicleNames)
{
    VehicleRow row;
    row.code = record.m_CarCode;
    row.customerCode = record.m_KokCode;
    row.office = record.m_Rikuji;
    row.classNumber = record.m_Rno;
    row.kana = record.m_Kana;
    row.number = record.m_Preno;
    row.vehicleName = vehicleNames.value(record.m_Syamei);
    row.model = record.m_Syasyu;
    return row;
}

QString VehicleRow::plate() const
{
    return QStringLiteral("%1%2%3%4").arg(office).arg(classNumber).arg(kana).arg(number, 4);
}

QString VehicleRow::nameAndModel() const
{
    return vehicleName + u' ' + model;
}

} // namespace kv::records::search
