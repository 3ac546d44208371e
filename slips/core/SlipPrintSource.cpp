#include "slips/core/SlipPrintSource.h"

#include "data/document/CCarMaintenanceDoc.h"
#include "data/settings/SettingsFileId.h"
#include "slips/core/ExactRounding.h"
#include "slips/core/InvoiceArchive.h"
#include "data/engine/DayNumber.h"
#include "data/tables/DaoRecordsets.h"
#include "records/RecordingTexts.h"

namespace kv::slips {

namespace {

template <class Set>
bool findRow(Set& set, const QString& filter, typename Set::Row* row, QString* error)
{
    if (!set.OpenWhere(filter)) {
        *error = set.lastError().description;
        return false;
    }
    if (set.GetRecordCount() == 0)
        return false;
    *row = set.row();
    return true;
}

} // namespace

SlipPrintSource::SlipPrintSource(data::CCarMaintenanceDoc& document) : m_document(document) {}

SlipPrintSource::Outcome SlipPrintSource::gather(const data::SyaheadRow& slip, int customerCode,
                                                 std::vector<std::array<QString, 7>> rows,
                                                 const std::array<bool, 3>& copies)
{
    Outcome out;
    data::Connection& connection = m_document.store().mainConnection();
    CDaoKokSet customers(connection);
    CDaoCarSet vehicles(connection);
    data::KokRow customer;
    QString error;
    if (!findRow(customers, QStringLiteral("KokCode = %1").arg(customerCode), &customer, &error)) {
        out.message = error.isEmpty() ? records::RecordingTexts::customerMissing : error;
        return out;
    }
    if (!findRow(customers, QStringLiteral("KokCode = %1").arg(slip.m_SeiKokCode), &out.data.billing,
                 &error)) {
        out.message = error.isEmpty() ? QStringLiteral("該当請求先が存在しません！") : error;
        return out;
    }
    if (!findRow(vehicles, QStringLiteral("CarCode = %1").arg(slip.m_CarCode), &out.data.vehicle,
                 &error)) {
        out.message = error.isEmpty() ? records::RecordingTexts::vehicleMissing : error;
        return out;
    }
    CDaoNyuukoKbnSet categories(connection);
    data::NyuukoKbnRow category;
    if (findRow(categories, QStringLiteral("NyuukoKbnCode = %1").arg(slip.m_NyuukoKbnCode), &category,
                &error))
        out.data.categoryName = category.m_NyuukoKbn;
    data::SettingsStore& settings = m_document.settings();
    out.data.slip = slip;
    out.data.rows = std::move(rows);
    out.data.makeName = settings.makes().entry(out.data.vehicle.m_Syamei);
    out.data.shop = settings.shop();
    out.data.settings = settings.print();
    out.data.registrationNumber = settings.invoiceIssuer().registrationNumber;
    out.data.taxRate = int(rateInHundredthsOfPercent(settings.rounding().taxRate));
    if (slip.m_DenKind == DeliveryNote && !out.data.registrationNumber.isEmpty()) {
        // Changed since an invoice of it was issued: a corrected invoice.
        out.data.corrected = InvoiceArchive(settings.dataFolder())
                                 .isCorrected(slip.m_DenNo, data::fromDayNumber(slip.m_HatuDate).date().year(),
                                              InvoiceArchive::fingerprintOf(out.data));
    }
    out.data.copies = copies;
    out.ok = true;
    return out;
}

bool SlipPrintSource::notePrintedOnly(const SlipRecording& slip, QString* error)
{
    if (!slip.isNew())
        return true;
    data::SettingsStore& settings = m_document.settings();
    settings.general().lastRecordedSlipNo = slip.header.m_DenNo;
    settings.SaveSettingsFile(data::SettingsFileId::General);
    if (!slip.movesInspectionExpiry())
        return true;
    CDaoCarSet vehicles(m_document.store().mainConnection());
    if (!vehicles.OpenWhere(QStringLiteral("CarCode = %1").arg(slip.header.m_CarCode))) {
        *error = vehicles.lastError().description;
        return false;
    }
    if (vehicles.GetRecordCount() == 0)
        return true;
    if (!vehicles.Edit()) {
        *error = vehicles.lastError().description;
        return false;
    }
    vehicles.m_Syaman = slip.header.m_Syaman;
    if (!vehicles.Update()) {
        *error = vehicles.lastError().description;
        vehicles.CancelUpdate();
        return false;
    }
    return true;
}

} // namespace kv::slips
