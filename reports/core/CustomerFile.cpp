#include "reports/core/CustomerFile.h"

#include "data/engine/DayNumber.h"
#include "reports/core/PostcardAddress.h"

namespace kv::reports {
namespace {

const QString kTitles[CustomerFile::kOutputs] = {
    QStringLiteral("顧客・保有車輌一覧"),   QStringLiteral("顧客一覧"),
    QStringLiteral("車輌一覧"),             QStringLiteral("顧客住所録"),
    QStringLiteral("顧客 宛先シール"),      QStringLiteral("顧客 はがき宛先"),
    QStringLiteral("顧客 はがき裏面"),      QStringLiteral("顧客 はがき宛先テスト"),
    QStringLiteral("顧客 はがき裏面テスト"),
};

QString postalText(int post)
{
    if (post <= 0)
        return {};
    const QString digits = QString::asprintf("%07d", post);
    return QStringLiteral("〒") + digits.left(3) + u'-' + digits.mid(3);
}

QString joined(const QString& first, const QString& second)
{
    return second.isEmpty() ? first : first + u'\n' + second;
}

QString dateText(double dayNumber)
{
    // The empty date is stored far before any real one.
    if (dayNumber <= -999999.0)
        return {};
    return data::fromDayNumber(dayNumber).date().toString(QStringLiteral("yyyy/MM/dd"));
}

QString plateText(const data::CarRow& car)
{
    if (car.m_Rikuji.isEmpty() && car.m_Preno == 0)
        return {};
    return QStringLiteral("%1 %2 %3 %4").arg(car.m_Rikuji).arg(car.m_Rno).arg(car.m_Kana).arg(car.m_Preno);
}

QString makeName(const QStringList& makes, int index)
{
    return index >= 0 && index < makes.size() ? makes[index] : QString();
}

QString customerName(const data::KokRow& customer)
{
    const PostcardAddress address = PostcardAddress::fromCustomer(customer);
    return address.nameLines().join(u'\n');
}

} // namespace

QString CustomerFile::title(int output)
{
    return output >= 0 && output < kOutputs ? kTitles[output] : QString();
}

int CustomerFile::pageUnit(int output)
{
    switch (output) {
    case CustomerVehicleList:
        return 35;
    case CustomerList:
        return 13;
    case VehicleList:
        return 6;
    case AddressBook:
        return 20;
    default:
        return 1;
    }
}

CustomerFile::Enabling CustomerFile::enabling(int output)
{
    switch (output) {
    case CustomerVehicleList:
    case CustomerList:
    case AddressBook:
        return {.order = true, .range = true, .greetings = true, .pages = true};
    case VehicleList:
        return {.vehicleCodes = true, .pages = true};
    case Labels:
        return {.order = true, .range = true, .greetings = true, .start = true, .pages = true,
                .settings = true};
    case PostcardAddresses:
        return {.order = true, .range = true, .greetings = true, .pages = true, .settings = true};
    case PostcardBacks:
        return {.copies = true, .settings = true};
    default:
        return {.settings = true};
    }
}

QStringList CustomerFile::headings(const CustomerSelection& customers)
{
    QStringList lines;
    if (customers.order == CustomerSelection::Order::Reading)
        lines << QStringLiteral("ﾌﾘｶﾞﾅ順  %1 ～ %2").arg(customers.readingFrom.trimmed(),
                                                           customers.readingTo.trimmed());
    else
        lines << QStringLiteral("顧客ｺｰﾄﾞ順  %1 ～ %2").arg(customers.codeFrom).arg(customers.codeTo);
    QStringList flags;
    if (customers.summerGreeting)
        flags << QStringLiteral("暑中見舞い");
    if (customers.newYearCard)
        flags << QStringLiteral("年賀状");
    if (customers.summerGift)
        flags << QStringLiteral("お中元");
    if (customers.yearEndGift)
        flags << QStringLiteral("お歳暮");
    if (!flags.isEmpty())
        lines << QStringLiteral("対象  ") + flags.join(QStringLiteral("・"));
    return lines;
}

QStringList CustomerFile::headings(const VehicleSelection& vehicles)
{
    return {QStringLiteral("車輌ｺｰﾄﾞ  %1 ～ %2").arg(vehicles.codeFrom).arg(vehicles.codeTo)};
}

CustomerListTable::CustomerListTable(data::DataStore& store, const CustomerSelection& selection,
                                     Kind kind)
    : m_rows(store, selection.filter(), selection.sort())
    , m_kind(kind)
    , m_headings(CustomerFile::headings(selection))
{
}

QString CustomerListTable::title() const
{
    return CustomerFile::title(m_kind == Kind::List ? CustomerFile::CustomerList
                                                    : CustomerFile::AddressBook);
}

std::vector<ReportColumn> CustomerListTable::columns() const
{
    using C = ReportColumn;
    if (m_kind == Kind::AddressBook)
        return {C::text(QStringLiteral("ｺｰﾄﾞ"), 160, C::Align::Right),
                C::text(QStringLiteral("氏名"), 600), C::text(QStringLiteral("ﾌﾘｶﾞﾅ"), 380),
                C::text(QStringLiteral("郵便番号"), 220), C::text(QStringLiteral("住所"), 1010),
                C::text(QStringLiteral("電話番号"), 400)};
    return {C::text(QStringLiteral("ｺｰﾄﾞ"), 160, C::Align::Right),
            C::text(QStringLiteral("顧客名"), 520), C::text(QStringLiteral("ﾌﾘｶﾞﾅ"), 360),
            C::text(QStringLiteral("郵便番号・住所"), 860), C::text(QStringLiteral("電話番号"), 330),
            C::text(QStringLiteral("備考"), 420), C::amount(QStringLiteral("保有台数"), 120)};
}

ReportRow CustomerListTable::row(int index)
{
    const std::optional<data::KokRow> customer = m_rows.at(index);
    if (!customer)
        return ReportRow(columns().size());
    const data::KokRow& k = *customer;
    if (m_kind == Kind::AddressBook)
        return {QString::number(k.m_KokCode), customerName(k).replace(u'\n', u' '), k.m_Furi,
                postalText(k.m_Post), QStringList{k.m_UserJyu1, k.m_UserJyu2}.join(u' ').trimmed(),
                joined(k.m_Tel1, k.m_Tel2).replace(u'\n', QStringLiteral(" / "))};
    return {QString::number(k.m_KokCode),
            customerName(k),
            k.m_Furi,
            joined(joined(postalText(k.m_Post), k.m_UserJyu1), k.m_UserJyu2),
            joined(k.m_Tel1, k.m_Tel2),
            joined(k.m_KokBiko1, k.m_KokBiko2),
            qint64(k.m_Hoyu)};
}

VehicleListTable::VehicleListTable(data::DataStore& store, const VehicleSelection& selection,
                                   QStringList makes)
    : VehicleListTable(store, CustomerFile::title(CustomerFile::VehicleList), selection.filter(), selection.sort(),
                       CustomerFile::headings(selection), std::move(makes))
{
}

VehicleListTable::VehicleListTable(data::DataStore& store, QString title, const QString& filter,
                                   const QString& sort, QStringList headings, QStringList makes)
    : m_title(std::move(title))
    , m_rows(store, filter, sort)
    , m_makes(std::move(makes))
    , m_headings(std::move(headings))
{
}

QString VehicleListTable::title() const
{
    return m_title;
}

std::vector<ReportColumn> VehicleListTable::columns() const
{
    using C = ReportColumn;
    return {C::text(QStringLiteral("車輌ｺｰﾄﾞ"), 180, C::Align::Right),
            C::text(QStringLiteral("顧客ｺｰﾄﾞ"), 180, C::Align::Right),
            C::text(QStringLiteral("登録番号"), 480), C::text(QStringLiteral("車名・車種"), 480),
            C::text(QStringLiteral("型式・車台番号"), 480),
            C::text(QStringLiteral("初度登録・車検満了日"), 360),
            C::text(QStringLiteral("備考"), 610)};
}

ReportRow VehicleListTable::row(int index)
{
    const std::optional<data::CarRow> vehicle = m_rows.at(index);
    if (!vehicle)
        return ReportRow(columns().size());
    const data::CarRow& c = *vehicle;
    return {QString::number(c.m_CarCode), c.m_KokCode ? QString::number(c.m_KokCode) : QString(),
            plateText(c), joined(makeName(m_makes, c.m_Syamei), c.m_Syasyu),
            joined(c.m_Katasiki, c.m_Syatai), joined(dateText(c.m_Syonen), dateText(c.m_Syaman)),
            joined(c.m_CarBiko1, c.m_CarBiko2)};
}

CustomerVehicleTable::CustomerVehicleTable(data::DataStore& store,
                                           const CustomerSelection& selection, QStringList makes)
    : m_customers(store, selection.filter(), selection.sort())
    , m_vehicles(store, VehicleSelection::notPlaceholder(), QStringLiteral("KokCode, CarCode"))
    , m_makes(std::move(makes))
    , m_headings(CustomerFile::headings(selection))
{
    if (!isOpen())
        return;
    // Each owner's vehicles stand together in the vehicles' order.
    struct Run {
        int first = 0;
        int count = 0;
    };
    std::unordered_map<int, Run> runs;
    const int vehicles = m_vehicles.count();
    for (int index = 0; index < vehicles; ++index) {
        const std::optional<data::CarRow> car = m_vehicles.at(index);
        if (!car)
            continue;
        Run& run = runs[car->m_KokCode];
        if (run.count == 0)
            run.first = index;
        ++run.count;
    }
    const int customers = m_customers.count();
    m_counts.reserve(size_t(customers));
    for (int index = 0; index < customers; ++index) {
        const std::optional<data::KokRow> customer = m_customers.at(index);
        const auto run = customer ? runs.find(customer->m_KokCode) : runs.end();
        const Run owned = run == runs.end() ? Run{} : run->second;
        m_firstEntry.push_back(int(m_entries.size()));
        m_entries.push_back({index, -1});
        for (int vehicle = 0; vehicle < owned.count; ++vehicle)
            m_entries.push_back({index, owned.first + vehicle});
        m_counts.push_back(owned.count);
    }
}

QString CustomerVehicleTable::title() const
{
    return CustomerFile::title(CustomerFile::CustomerVehicleList);
}

std::vector<ReportColumn> CustomerVehicleTable::columns() const
{
    using C = ReportColumn;
    return {C::text(QStringLiteral("ｺｰﾄﾞ"), 180, C::Align::Right),
            C::text(QStringLiteral("顧客名・車名"), 560),
            C::text(QStringLiteral("住所・登録番号"), 860),
            C::text(QStringLiteral("電話番号・型式"), 480),
            C::text(QStringLiteral("初度登録・車検満了日"), 360),
            C::text(QStringLiteral("備考"), 330)};
}

int CustomerVehicleTable::entryOf(int customer, int vehicle) const
{
    if (customer < 0 || customer >= int(m_firstEntry.size()))
        return -1;
    return m_firstEntry[size_t(customer)] + vehicle + 1;
}

ReportRow CustomerVehicleTable::row(int index)
{
    if (index < 0 || index >= rowCount())
        return ReportRow(columns().size());
    const Entry entry = m_entries[size_t(index)];
    if (entry.vehicle < 0) {
        const std::optional<data::KokRow> customer = m_customers.at(entry.customer);
        if (!customer)
            return ReportRow(columns().size());
        const data::KokRow& k = *customer;
        return {QString::number(k.m_KokCode),
                joined(customerName(k).replace(u'\n', u' '), k.m_Furi),
                joined(joined(postalText(k.m_Post), k.m_UserJyu1), k.m_UserJyu2),
                joined(k.m_Tel1, k.m_Tel2), QString(), joined(k.m_KokBiko1, k.m_KokBiko2)};
    }
    const std::optional<data::CarRow> vehicle = m_vehicles.at(entry.vehicle);
    if (!vehicle)
        return ReportRow(columns().size());
    const data::CarRow& c = *vehicle;
    return {QString::number(c.m_CarCode), joined(makeName(m_makes, c.m_Syamei), c.m_Syasyu),
            plateText(c), joined(c.m_Katasiki, c.m_Syatai),
            joined(dateText(c.m_Syonen), dateText(c.m_Syaman)),
            joined(c.m_CarBiko1, c.m_CarBiko2)};
}

} // namespace kv::reports
