#include "records/PanelValues.h"

namespace kv::records {

PanelValues::PanelValues() = default;

void PanelValues::setStoredDate(PanelField field, double dayNumber, const ShownDate& shown)
{
    m_storedDates[size_t(field)] = {true, dayNumber, shown};
}

bool PanelValues::storedDateIfUnchanged(PanelField field, PanelField eraField,
                                        double* dayNumber) const
{
    const StoredDate& stored = m_storedDates[size_t(field)];
    const int eraIndex = eraField == PanelField::Count ? 0 : index(eraField);
    if (!stored.present || stored.shown != ShownDate{eraIndex, text(field)})
        return false;
    *dayNumber = stored.dayNumber;
    return true;
}

void PanelValues::clearRange(PanelField first, PanelField end)
{
    for (int i = int(first); i < int(end); ++i) {
        m_texts[size_t(i)].clear();
        m_indexes[size_t(i)] = 0;
        m_storedDates[size_t(i)] = {};
    }
}

void PanelValues::clearCustomer()
{
    clearRange(PanelField::KokCode, PanelField::CarCode);
}

void PanelValues::clearVehicle()
{
    clearRange(PanelField::CarCode, PanelField::Count);
}

void PanelValues::assignRange(const PanelValues& other, PanelField first, PanelField end)
{
    for (int i = int(first); i < int(end); ++i) {
        m_texts[size_t(i)] = other.m_texts[size_t(i)];
        m_indexes[size_t(i)] = other.m_indexes[size_t(i)];
        m_storedDates[size_t(i)] = other.m_storedDates[size_t(i)];
    }
}

void PanelValues::assignCustomer(const PanelValues& other)
{
    assignRange(other, PanelField::KokCode, PanelField::CarCode);
}

void PanelValues::assignVehicle(const PanelValues& other)
{
    assignRange(other, PanelField::CarCode, PanelField::Count);
}

} // namespace kv::records
