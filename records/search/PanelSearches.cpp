#include "records/search/PanelSearches.h"

#include "common/MessageGateway.h"
#include "records/search/CAllSearchFrame.h"
#include "records/search/CDFuri.h"
#include "records/search/CDHoyu.h"
#include "records/search/CDPreno.h"
#include "records/search/CKokRanSearchFrame.h"
#include "records/search/CustomerSearch.h"
#include "records/search/PanelNavigator.h"
#include "records/search/QueryFormSearch.h"
#include "records/search/SearchProfile.h"
#include "records/search/SearchTexts.h"
#include "records/search/VehicleSearch.h"

namespace kv::records::search {
namespace {

template <typename Row>
void tellIfCut(const RowList<Row>& list)
{
    if (list.truncated)
        showMessage(SearchTexts::listCut(list.total, int(list.rows.size())),
                    MessageGateway::Icon::Information);
}

} // namespace

PanelSearches::PanelSearches(data::DataStore& store, PanelNavigator& navigator,
                             QStringList vehicleNames, SearchProfile& profile, QWidget* parent)
    : m_store(store)
    , m_navigator(navigator)
    , m_vehicleNames(std::move(vehicleNames))
    , m_profile(profile)
    , m_parent(parent)
{
}

PanelSearches::~PanelSearches()
{
    delete m_readingIndex.data();
    delete m_queryResults.data();
}

bool PanelSearches::showByReading(const QString& reading)
{
    const auto list = CustomerSearch(m_store).inReadingRange(
        ReadingRange::startingWith(reading), Capacity::kReadingMatches, true);
    if (list.failed())
        return false;
    if (list.rows.empty()) {
        showMessage(SearchTexts::noCustomerFound());
        return false;
    }
    int code = list.rows.front().code;
    if (list.rows.size() > 1) {
        tellIfCut(list);
        CDFuri pick(list.rows, m_parent);
        code = pick.run();
        if (code < 0)
            return false;
    }
    if (!m_navigator.showCustomer(code, true))
        return false;
    m_navigator.setModeText(PanelNavigator::ReadingOrder);
    return true;
}

bool PanelSearches::showByPlate(int number)
{
    const auto list = VehicleSearch(m_store, m_vehicleNames)
                          .withPlateNumber(number, Capacity::kPlateMatches);
    if (list.failed())
        return false;
    if (list.rows.empty()) {
        showMessage(SearchTexts::noVehicleFound());
        return false;
    }
    int code = list.rows.front().code;
    if (list.rows.size() > 1) {
        tellIfCut(list);
        CDPreno pick(list.rows, m_parent);
        code = pick.run();
        if (code < 0)
            return false;
    }
    // Showing the vehicle finds its owner and updates the owned-vehicles
    // command from the owner's vehicle count.
    if (!m_navigator.showVehicle(code, true))
        return false;
    m_navigator.setModeText(PanelNavigator::PlateOrder);
    return true;
}

void PanelSearches::showOwnedVehicles()
{
    const int customer = m_navigator.shownCustomerCode();
    if (customer == 0)
        return;
    const auto owned = CustomerSearch(m_store).ownedVehicleCount(customer);
    if (!owned) {
        showMessage(SearchTexts::noCustomerFound());
        return;
    }
    if (*owned == 0) {
        showMessage(SearchTexts::noOwnedVehicles());
        return;
    }
    if (*owned == 1) {
        showMessage(SearchTexts::onlyShownVehicle());
        return;
    }
    const auto list = VehicleSearch(m_store, m_vehicleNames)
                          .ofCustomer(customer, Capacity::kOwnedVehicles);
    if (list.failed())
        return;
    if (list.rows.empty()) {
        showMessage(SearchTexts::noOwnedVehicles());
        return;
    }
    tellIfCut(list);
    CDHoyu pick(list.rows, m_parent);
    const int code = pick.run();
    if (code >= 0)
        m_navigator.showVehicle(code, false);
}

CKokRanSearchFrame* PanelSearches::openReadingIndex(std::function<void()> onClosed)
{
    if (m_readingIndex)
        return m_readingIndex;
    if (!CustomerSearch(m_store).any()) {
        showMessage(SearchTexts::noCustomers());
        return nullptr;
    }
    m_navigator.releaseReservations();
    m_navigator.indexWindowOpened(true);
    m_readingIndex = new CKokRanSearchFrame(m_store, m_navigator, m_profile, m_parent);
    QObject::connect(m_readingIndex, &CKokRanSearchFrame::closed, m_readingIndex,
                     [this, onClosed = std::move(onClosed)] {
                         m_navigator.indexWindowClosed(true);
                         if (onClosed)
                             onClosed();
                     });
    m_readingIndex->open();
    return m_readingIndex;
}

bool PanelSearches::canStartQuery()
{
    m_navigator.releaseReservations();
    if (CustomerSearch(m_store).any())
        return true;
    showMessage(SearchTexts::noCustomers());
    return false;
}

PanelSearches::QueryExecution PanelSearches::executeQuery(const QueryFormValues& customer,
                                                          const QueryFormValues& vehicle,
                                                          int target, int joiner,
                                                          int previousSearchMode,
                                                          std::function<void()> onClosed)
{
    QueryExecution execution;
    m_profile.setQueryTarget(target);
    m_profile.setQueryJoiner(joiner);
    const auto result = QueryFormSearch(m_store, m_vehicleNames)
                            .run(customer, vehicle,
                                 joiner == 1 ? QueryConditions::Joiner::Or
                                             : QueryConditions::Joiner::And);
    using Outcome = QueryFormSearch::Outcome;
    switch (result.outcome) {
    case Outcome::Refused:
        showMessage(result.message);
        execution.end = QueryEnd::KeepQueryMode;
        execution.focusColumn = result.failedColumn;
        return execution;
    case Outcome::NoMatch:
        showMessage(SearchTexts::noQueryMatch());
        return execution;
    case Outcome::NoConditions:
    case Outcome::Failed:
        return execution;
    case Outcome::Customers:
    case Outcome::Vehicles:
        break;
    }
    tellIfCut(result.list);
    delete m_queryResults.data();
    const bool searchMode = previousSearchMode >= PanelNavigator::CustomerCodeOrder
                         && previousSearchMode <= PanelNavigator::PlateOrder;
    m_navigator.setSearchMode(searchMode ? previousSearchMode : PanelNavigator::CustomerCodeOrder);
    m_queryResults = new CAllSearchFrame(result.list, result.outcome == Outcome::Vehicles,
                                         m_navigator, m_profile, m_parent);
    m_navigator.indexWindowOpened(false);
    QObject::connect(m_queryResults, &CAllSearchFrame::closed, m_queryResults,
                     [this, onClosed = std::move(onClosed)] {
                         m_navigator.indexWindowClosed(false);
                         if (onClosed)
                             onClosed();
                     });
    m_queryResults->open();
    execution.end = QueryEnd::ResultShown;
    execution.window = m_queryResults;
    return execution;
}

} // namespace kv::records::search
