#pragma once

#include "records/EraDateField.h"
#include "records/PanelField.h"

#include <QString>

#include <array>

namespace kv::records {

// The values the panel holds for the shown customer and vehicle: the text
// of every edit, the index of every list and check box (0 or 1), and for
// each date the stored day number with the way it was first shown, so that
// a date nobody touched is written back exactly as it was read.
class PanelValues {
public:
    PanelValues();

    const QString& text(PanelField field) const { return m_texts[size_t(field)]; }
    void setText(PanelField field, const QString& text) { m_texts[size_t(field)] = text; }
    int index(PanelField field) const { return m_indexes[size_t(field)]; }
    void setIndex(PanelField field, int index) { m_indexes[size_t(field)] = index; }

    // A date field as read from a record: its day number and how it was shown.
    void setStoredDate(PanelField field, double dayNumber, const ShownDate& shown);
    // The stored day number when the field still shows what was read from it.
    bool storedDateIfUnchanged(PanelField field, PanelField eraField, double* dayNumber) const;

    // Clears the fields of one half: texts empty, indexes 0, no stored dates.
    void clearCustomer();
    void clearVehicle();
    // Takes one half (texts, indexes and stored dates) from other.
    void assignCustomer(const PanelValues& other);
    void assignVehicle(const PanelValues& other);

private:
    struct StoredDate {
        bool present = false;
        double dayNumber = 0;
        ShownDate shown;
    };

    void clearRange(PanelField first, PanelField end);
    void assignRange(const PanelValues& other, PanelField first, PanelField end);

    std::array<QString, kPanelFieldCount> m_texts;
    std::array<int, kPanelFieldCount> m_indexes{};
    std::array<StoredDate, kPanelFieldCount> m_storedDates;
};

} // namespace kv::records
