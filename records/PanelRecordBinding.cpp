#include "records/PanelRecordBinding.h"

#include "records/BaseOfUse.h"
#include "records/Displacement.h"
#include "records/EraDateField.h"
#include "records/NumberRule.h"
#include "records/PostalCode.h"

#include "data/engine/DayNumber.h"
#include "data/tables/TableRows.h"
#include "records/RecordingOrder.h"
#include "records/search/QueryFormValues.h"
#include "records/search/SearchTexts.h"

#include <algorithm>
#include <span>
#include <vector>

namespace kv::records {
namespace {

// One column of a record bound to one panel field.
template <class Set>
struct Binding {
    enum class Kind { Text, Number, Index, Postal, Displacement, EraDate, Expiry };

    PanelField field;
    Kind kind;
    QString Set::*textMember = nullptr;
    int Set::*intMember = nullptr;
    double Set::*dateMember = nullptr;
    const NumberRule* rule = nullptr;
    const EraDateField* eraField = nullptr;
    PanelField eraList = PanelField::Count;
    bool written = true;
};

template <class Set>
Binding<Set> text(PanelField field, QString Set::*member)
{
    Binding<Set> b{field, Binding<Set>::Kind::Text};
    b.textMember = member;
    return b;
}

template <class Set>
Binding<Set> number(PanelField field, int Set::*member, const NumberRule& rule, bool written = true)
{
    Binding<Set> b{field, Binding<Set>::Kind::Number};
    b.intMember = member;
    b.rule = &rule;
    b.written = written;
    return b;
}

template <class Set>
Binding<Set> listIndex(PanelField field, int Set::*member)
{
    Binding<Set> b{field, Binding<Set>::Kind::Index};
    b.intMember = member;
    return b;
}

template <class Set>
Binding<Set> special(PanelField field, typename Binding<Set>::Kind kind, int Set::*member)
{
    Binding<Set> b{field, kind};
    b.intMember = member;
    return b;
}

template <class Set>
Binding<Set> eraDate(PanelField field, PanelField eraList, double Set::*member,
                     const EraDateField& eraField)
{
    Binding<Set> b{field, Binding<Set>::Kind::EraDate};
    b.dateMember = member;
    b.eraField = &eraField;
    b.eraList = eraList;
    return b;
}

template <class Set>
Binding<Set> expiry(PanelField field, double Set::*member)
{
    Binding<Set> b{field, Binding<Set>::Kind::Expiry};
    b.dateMember = member;
    return b;
}

using F = PanelField;
using KokBinding = Binding<data::KokRow>;
using CarBinding = Binding<data::CarRow>;

const std::vector<KokBinding>& customerBindings()
{
    using K = data::KokRow;
    static const std::vector<KokBinding> bindings{
        number(F::KokCode, &K::m_KokCode, NumberRule::recordCode(), false),
        text(F::OwnerName1, &K::m_OwnerName1),
        text(F::OwnerName2, &K::m_OwnerName2),
        text(F::OwnerJyu1, &K::m_OwnerJyu1),
        text(F::OwnerJyu2, &K::m_OwnerJyu2),
        text(F::UserName1, &K::m_UserName1),
        text(F::UserName2, &K::m_UserName2),
        listIndex(F::Sama, &K::m_Sama),
        text(F::Furi, &K::m_Furi),
        special(F::Post, KokBinding::Kind::Postal, &K::m_Post),
        text(F::UserJyu1, &K::m_UserJyu1),
        text(F::UserJyu2, &K::m_UserJyu2),
        text(F::Tel1, &K::m_Tel1),
        text(F::Tel2, &K::m_Tel2),
        eraDate(F::Burth, F::BurthEra, &K::m_Burth, EraDateField::birthday()),
        number(F::Shime1, &K::m_Shime1, NumberRule::closingDay()),
        number(F::Shime2, &K::m_Shime2, NumberRule::closingDay()),
        number(F::Shime3, &K::m_Shime3, NumberRule::closingDay()),
        number(F::Shime4, &K::m_Shime4, NumberRule::closingDay()),
        text(F::KokBiko1, &K::m_KokBiko1),
        text(F::KokBiko2, &K::m_KokBiko2),
        listIndex(F::Syochuu, &K::m_Syochuu),
        listIndex(F::Nenga, &K::m_Nenga),
        listIndex(F::Chuugen, &K::m_Chuugen),
        listIndex(F::Seibo, &K::m_Seibo),
        number(F::Hoyu, &K::m_Hoyu, NumberRule::vehicleCount(), false),
        number(F::SyoukaiKokCode, &K::m_SyoukaiKokCode, NumberRule::referrerCode()),
    };
    return bindings;
}

const std::vector<CarBinding>& vehicleBindings()
{
    using C = data::CarRow;
    static const std::vector<CarBinding> bindings{
        number(F::CarCode, &C::m_CarCode, NumberRule::recordCode(), false),
        text(F::Rikuji, &C::m_Rikuji),
        number(F::Rno, &C::m_Rno, NumberRule::classNumber()),
        text(F::Kana, &C::m_Kana),
        number(F::Preno, &C::m_Preno, NumberRule::plateNumber()),
        eraDate(F::Tounen, F::TounenEra, &C::m_Tounen, EraDateField::registration()),
        eraDate(F::Syonen, F::SyonenEra, &C::m_Syonen, EraDateField::firstRegistration()),
        listIndex(F::Syubetu, &C::m_Syubetu),
        listIndex(F::Youto, &C::m_Youto),
        listIndex(F::Jiei, &C::m_Jiei),
        listIndex(F::Keijyo, &C::m_Keijyo),
        listIndex(F::Syamei, &C::m_Syamei),
        text(F::Syasyu, &C::m_Syasyu),
        text(F::Katasiki, &C::m_Katasiki),
        number(F::Teiin, &C::m_Teiin, NumberRule::capacity()),
        number(F::Teiin2, &C::m_Teiin2, NumberRule::capacity()),
        number(F::Sekisai, &C::m_Sekisai, NumberRule::weight()),
        number(F::Sekisai2, &C::m_Sekisai2, NumberRule::weight()),
        number(F::Jyuryo, &C::m_Jyuryo, NumberRule::weight()),
        number(F::SouJyuryo, &C::m_SouJyuryo, NumberRule::weight()),
        number(F::SouJyuryo2, &C::m_SouJyuryo2, NumberRule::weight()),
        text(F::Syatai, &C::m_Syatai),
        text(F::Gendoki, &C::m_Gendoki),
        number(F::Nagasa, &C::m_Nagasa, NumberRule::length()),
        number(F::Haba, &C::m_Haba, NumberRule::length()),
        number(F::Takasa, &C::m_Takasa, NumberRule::length()),
        special(F::Haikiryo, CarBinding::Kind::Displacement, &C::m_Haikiryo),
        listIndex(F::Nenryo, &C::m_Nenryo),
        number(F::Kata, &C::m_Kata, NumberRule::typeDesignation()),
        number(F::Rui, &C::m_Rui, NumberRule::classification()),
        number(F::ZenZen, &C::m_ZenZen, NumberRule::weight()),
        number(F::ZenKou, &C::m_ZenKou, NumberRule::weight()),
        number(F::KouZen, &C::m_KouZen, NumberRule::weight()),
        number(F::KouKou, &C::m_KouKou, NumberRule::weight()),
        expiry(F::Syaman, &C::m_Syaman),
        number(F::Yuko, &C::m_Yuko, NumberRule::validYears()),
        expiry(F::Homan, &C::m_Homan),
        number(F::Jibai, &C::m_Jibai, NumberRule::amount()),
        number(F::JyuZei, &C::m_JyuZei, NumberRule::amount()),
        number(F::Insi, &C::m_Insi, NumberRule::amount()),
        number(F::Daiko, &C::m_Daiko, NumberRule::amount()),
        text(F::CarBiko1, &C::m_CarBiko1),
        text(F::CarBiko2, &C::m_CarBiko2),
    };
    return bindings;
}

template <class Set>
void showAll(const std::vector<Binding<Set>>& bindings, const Set& record, PanelValues& values)
{
    using Kind = typename Binding<Set>::Kind;
    for (const Binding<Set>& b : bindings) {
        switch (b.kind) {
        case Kind::Text: values.setText(b.field, record.*b.textMember); break;
        case Kind::Number: values.setText(b.field, b.rule->format(record.*b.intMember)); break;
        case Kind::Index: values.setIndex(b.field, record.*b.intMember); break;
        case Kind::Postal: values.setText(b.field, PostalCode::show(record.*b.intMember)); break;
        case Kind::Displacement:
            values.setText(b.field, Displacement::show(record.*b.intMember));
            break;
        case Kind::EraDate: {
            const ShownDate shown = b.eraField->show(record.*b.dateMember);
            values.setIndex(b.eraList, shown.eraIndex);
            values.setText(b.field, shown.text);
            values.setStoredDate(b.field, record.*b.dateMember, shown);
            break;
        }
        case Kind::Expiry: {
            const ShownDate shown{0, ExpiryDateField::show(record.*b.dateMember)};
            values.setText(b.field, shown.text);
            values.setStoredDate(b.field, record.*b.dateMember, shown);
            break;
        }
        }
    }
}

// One field other than a text, converted as it is recorded: list indexes,
// numbers, postal codes and displacement into *number, dates into
// *dayNumber (the empty date for none).
template <class Set>
WriteBackResult readField(const Binding<Set>& b, const PanelValues& values, int* number,
                          double* dayNumber)
{
    using Kind = typename Binding<Set>::Kind;
    const QString& text = values.text(b.field);
    switch (b.kind) {
    case Kind::Text: break;
    case Kind::Index: *number = values.index(b.field); break;
    case Kind::Number:
        if (!b.rule->read(text, number))
            return WriteBackResult::failure(b.field, QString::fromUtf8(b.rule->message));
        break;
    case Kind::Postal:
        if (!PostalCode::read(text, number))
            return WriteBackResult::failure(b.field, PostalCode::checkOnLeave(text).message);
        break;
    case Kind::Displacement:
        if (!Displacement::read(text, number))
            return WriteBackResult::failure(b.field, Displacement::checkOnLeave(text).message);
        break;
    case Kind::EraDate:
    case Kind::Expiry: {
        if (values.storedDateIfUnchanged(b.field, b.eraList, dayNumber))
            break;
        const DateReading reading = b.kind == Kind::EraDate
            ? b.eraField->read(values.index(b.eraList), text)
            : ExpiryDateField::read(text);
        if (reading.outcome == DateReading::Outcome::NoEra)
            return WriteBackResult::failure(b.eraList, reading.message);
        if (reading.outcome != DateReading::Outcome::Empty
            && reading.outcome != DateReading::Outcome::Date)
            return WriteBackResult::failure(b.field, reading.message);
        *dayNumber = reading.dayNumber;
        break;
    }
    }
    return {};
}

// Where a binding stands in the order recording checks the fields: a date
// stands with the earlier of its field and its era list.
template <class Set>
size_t recordingPosition(const Binding<Set>& b, std::span<const PanelField> order)
{
    size_t position = order.size();
    for (size_t i = 0; i < order.size(); ++i) {
        if (order[i] == b.field || (b.eraList != PanelField::Count && order[i] == b.eraList))
            position = std::min(position, i);
    }
    return position;
}

// The bindings in recording order, so that of several faults the user
// always meets the first field of that order.
template <class Set>
std::vector<const Binding<Set>*> inRecordingOrder(const std::vector<Binding<Set>>& bindings,
                                                  std::span<const PanelField> order)
{
    std::vector<const Binding<Set>*> sorted;
    for (const Binding<Set>& b : bindings)
        sorted.push_back(&b);
    std::stable_sort(sorted.begin(), sorted.end(), [order](const auto* a, const auto* b) {
        return recordingPosition(*a, order) < recordingPosition(*b, order);
    });
    return sorted;
}

template <class Set>
WriteBackResult writeAll(const std::vector<const Binding<Set>*>& bindings,
                         const PanelValues& values, Set& record)
{
    for (const Binding<Set>* binding : bindings) {
        const Binding<Set>& b = *binding;
        if (!b.written)
            continue;
        if (b.textMember) {
            record.*b.textMember = values.text(b.field);
            continue;
        }
        int number = 0;
        double dayNumber = data::kEmptyDate;
        const WriteBackResult result = readField(b, values, &number, &dayNumber);
        if (!result.ok)
            return result;
        if (b.dateMember)
            record.*b.dateMember = dayNumber;
        else
            record.*b.intMember = number;
    }
    return {};
}

// The fields of one half as query conditions under their column names. The
// code is a bare integer (0 for none); the count of vehicles is no condition.
template <class Set>
WriteBackResult queryAll(const std::vector<Binding<Set>>& bindings, const PanelValues& values,
                         const QString& codeMessage, search::QueryFormValues& query)
{
    for (const Binding<Set>& b : bindings) {
        const QString column = columnOf(b.field);
        if (b.textMember) {
            query.setText(column, values.text(b.field));
            continue;
        }
        const bool code = b.rule == &NumberRule::recordCode();
        if (!b.written && !code)
            continue;
        int number = 0;
        double dayNumber = data::kEmptyDate;
        WriteBackResult result = readField(b, values, &number, &dayNumber);
        if (!result.ok) {
            if (code)
                result.message = codeMessage;
            return result;
        }
        if (b.dateMember)
            query.setDate(column, data::fromDayNumber(dayNumber).date());
        else
            query.setNumber(column, number);
    }
    return {};
}

BaseOfUse::Lines userAddressOf(const PanelValues& values)
{
    return {values.text(F::UserJyu1), values.text(F::UserJyu2)};
}

} // namespace

void PanelRecordBinding::showCustomer(const data::KokRow& record, PanelValues& values)
{
    values.clearCustomer();
    showAll(customerBindings(), record, values);
    const BaseOfUse::Lines shown =
        BaseOfUse::show({record.m_UseBase1, record.m_UseBase2}, userAddressOf(values));
    values.setText(F::UseBase1, shown.first);
    values.setText(F::UseBase2, shown.second);
}

void PanelRecordBinding::showVehicle(const data::CarRow& record, PanelValues& values)
{
    values.clearVehicle();
    showAll(vehicleBindings(), record, values);
}

void PanelRecordBinding::clearCustomerForNew(PanelValues& values)
{
    values.clearCustomer();
    for (F field : {F::Shime1, F::Shime2, F::Shime3, F::Shime4, F::SyoukaiKokCode})
        values.setText(field, QStringLiteral("0"));
    values.setText(F::Hoyu, QStringLiteral("0"));
    values.setIndex(F::Nenga, 1);
    values.setIndex(F::Sama, 1);
}

void PanelRecordBinding::clearVehicle(PanelValues& values)
{
    values.clearVehicle();
    for (const CarBinding& b : vehicleBindings()) {
        if (b.kind == CarBinding::Kind::Number)
            values.setText(b.field, b.rule->format(0));
        else if (b.kind == CarBinding::Kind::Displacement)
            values.setText(b.field, Displacement::show(0));
    }
    values.setText(F::CarCode, QString());
}

WriteBackResult PanelRecordBinding::writeCustomer(const PanelValues& values, data::KokRow& record)
{
    static const auto ordered = inRecordingOrder(customerBindings(), RecordingOrder::customer);
    const WriteBackResult result = writeAll(ordered, values, record);
    if (!result.ok)
        return result;
    const BaseOfUse::Lines base = BaseOfUse::forRecording(
        {values.text(F::UseBase1), values.text(F::UseBase2)}, userAddressOf(values));
    record.m_UseBase1 = base.first;
    record.m_UseBase2 = base.second;
    return result;
}

WriteBackResult PanelRecordBinding::readCustomerQuery(const PanelValues& values,
                                                      search::QueryFormValues& query)
{
    const WriteBackResult result = queryAll(customerBindings(), values,
                                            search::SearchTexts::customerCodeRange(), query);
    // The base of use as typed: the marker is a pattern like any other text.
    if (result.ok) {
        query.setText(columnOf(F::UseBase1), values.text(F::UseBase1));
        query.setText(columnOf(F::UseBase2), values.text(F::UseBase2));
    }
    return result;
}

WriteBackResult PanelRecordBinding::readVehicleQuery(const PanelValues& values,
                                                     search::QueryFormValues& query)
{
    return queryAll(vehicleBindings(), values, search::SearchTexts::vehicleCodeRange(), query);
}

WriteBackResult PanelRecordBinding::writeVehicle(const PanelValues& values, int ownerCode,
                                                 data::CarRow& record)
{
    static const auto ordered = inRecordingOrder(vehicleBindings(), RecordingOrder::vehicle);
    const WriteBackResult result = writeAll(ordered, values, record);
    if (result.ok)
        record.m_KokCode = ownerCode;
    return result;
}

} // namespace kv::records
