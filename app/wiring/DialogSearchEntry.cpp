#include "app/wiring/DialogSearchEntry.h"

#include "records/recording/CDSelectDeleteData.h"
#include "records/search/CDCarCodeSearch.h"
#include "records/search/CDKokCodeSearch.h"
#include "records/search/CDKokFuriSearch.h"
#include "records/search/CDPrenoSearch.h"

namespace kv::app {

namespace {

template <typename Dialog>
std::optional<int> askNumber(QWidget* parent)
{
    Dialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.value();
}

} // namespace

std::optional<int> DialogSearchEntry::customerCode()
{
    return askNumber<records::search::CDKokCodeSearch>(m_parent);
}

std::optional<QString> DialogSearchEntry::customerReading()
{
    records::search::CDKokFuriSearch dialog(m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.text();
}

std::optional<int> DialogSearchEntry::vehicleCode()
{
    return askNumber<records::search::CDCarCodeSearch>(m_parent);
}

std::optional<QString> DialogSearchEntry::plateNumber()
{
    const auto number = askNumber<records::search::CDPrenoSearch>(m_parent);
    if (!number)
        return std::nullopt;
    return QString::number(*number);
}

SearchEntry::DeleteChoice DialogSearchEntry::chooseDeleteData()
{
    records::CDSelectDeleteData chooser(m_parent);
    switch (chooser.exec()) {
    case records::CDSelectDeleteData::Customer:
        return DeleteChoice::Customer;
    case records::CDSelectDeleteData::Vehicle:
        return DeleteChoice::Vehicle;
    default:
        return DeleteChoice::Cancel;
    }
}

} // namespace kv::app
