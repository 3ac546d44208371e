#include "records/panel/PanelQueryForm.h"

#include "records/PanelMode.h"
#include "records/panel/CFMainPanel.h"
#include "records/panel/QueryFormHost.h"
#include "records/search/CAllSearchFrame.h"
#include "records/search/CAllSearchGroup.h"
#include "records/search/PanelSearches.h"
#include "records/search/QueryFormValues.h"
#include "records/search/SearchProfile.h"

namespace kv::records {

namespace {
constexpr int kCustomers = 0;
} // namespace

PanelQueryForm::PanelQueryForm(CFMainPanel& panel, search::PanelSearches& searches,
                               search::SearchProfile& profile, QueryFormHost& host)
    : m_panel(panel), m_searches(searches), m_profile(profile), m_host(host)
{
    connect(panel.queryGroup(), &search::CAllSearchGroup::targetChanged, this, [this](int target) {
        if (m_entering)
            enableTarget(target);
    });
}

PanelQueryForm::~PanelQueryForm() = default;

search::CAllSearchFrame* PanelQueryForm::resultWindow() const
{
    return m_results;
}

void PanelQueryForm::run()
{
    // A second query would lose the one whose results are on screen.
    if (m_results) {
        m_results->raise();
        m_results->activateWindow();
        return;
    }
    if (m_entering)
        execute();
    else
        start();
}

void PanelQueryForm::start()
{
    if (!m_searches.canStartQuery())
        return;
    m_modeBefore = m_host.mode();
    m_entering = true;
    m_host.setQueryMode(true);
    search::CAllSearchGroup* group = m_panel.queryGroup();
    group->preset(m_profile);
    m_panel.clearPanel();
    group->show();
    enableTarget(group->target());
}

void PanelQueryForm::enableTarget(int target)
{
    const bool customers = target == kCustomers;
    m_panel.setCustomerGroupEnabled(customers);
    m_panel.setCustomerCodeEditable(customers);
    m_panel.setVehicleGroupEnabled(!customers);
    m_panel.setVehicleCodeEditable(!customers);
    // The code of the enabled group: the other one cannot take the focus.
    m_panel.focusField(customers ? PanelField::KokCode : PanelField::CarCode);
}

int PanelQueryForm::modeToRestore() const
{
    return PanelMode::isSearchMode(m_modeBefore) ? m_modeBefore : PanelMode::CustomerCodeOrder;
}

void PanelQueryForm::execute()
{
    search::QueryFormValues customer;
    search::QueryFormValues vehicle;
    if (!m_panel.readQueryForm(customer, vehicle))
        return;
    search::CAllSearchGroup* group = m_panel.queryGroup();
    group->hide();
    using End = search::PanelSearches::QueryEnd;
    const search::PanelSearches::QueryExecution execution =
        m_searches.executeQuery(customer, vehicle, group->target(), group->joiner(),
                                modeToRestore(), [this] { resultsClosed(); });
    switch (execution.end) {
    case End::KeepQueryMode:
        group->show();
        if (const auto field = fieldOfColumn(execution.focusColumn))
            m_panel.focusField(*field);
        return;
    case End::NoResult:
        endWithoutResult();
        return;
    case End::ResultShown:
        m_entering = false;
        m_results = execution.window;
        return;
    }
}

void PanelQueryForm::endWithoutResult()
{
    m_entering = false;
    const int mode = modeToRestore();
    m_host.setSearchMode(mode);
    m_panel.showNothing();
    m_panel.SetModeText(mode);
    m_host.setQueryMode(false);
}

void PanelQueryForm::resultsClosed()
{
    m_results = nullptr;
    m_host.setQueryMode(false);
    const int mode = m_host.mode();
    const bool vehicleOrder =
        mode == PanelMode::VehicleCodeOrder || mode == PanelMode::PlateOrder;
    if (vehicleOrder && m_panel.shownVehicleCode() == 0) {
        m_host.setSearchMode(PanelMode::CustomerCodeOrder);
        m_panel.SetModeText(PanelMode::CustomerCodeOrder);
    }
}

} // namespace kv::records
