#include "slips/core/SlipHeaderValues.h"

#include "data/engine/DayNumber.h"

namespace kv::slips {

namespace {

double dayNumberOrEmpty(const QDate& date)
{
    return date.isValid() ? data::toDayNumber(date) : data::kEmptyDate;
}

} // namespace

void HeaderValues::writeInto(data::SyaheadRow& header, const QTime& now) const
{
    header.m_DenKind = kind;
    header.m_HatuDate = data::toDayNumber(issueDate, QTime(now.hour(), now.minute(), now.second()));
    header.m_NyuukoKbnCode = categoryCode;
    header.m_Km = mileage;
    header.m_Syaman = dayNumberOrEmpty(nextInspection);
    header.m_NyuDate = dayNumberOrEmpty(dateIn);
    header.m_NouDate = dayNumberOrEmpty(deliveryDate);
    header.m_KouLeba = labourRate;
    header.m_BanLeba = bodyWorkRate;
}

} // namespace kv::slips
