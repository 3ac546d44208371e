#pragma once

#include <QPointer>
#include <QStringList>

#include <functional>

class QWidget;

namespace kv::data {
class DataStore;
}

namespace kv::records::search {

class CAllSearchFrame;
class CKokRanSearchFrame;
class QueryFormValues;
class PanelNavigator;
class SearchProfile;

// The searches the panel runs once the frame has applied the search order:
// by reading (F2), by plate number (F4), among the displayed customer's
// vehicles (F5) and the reading index (Ctrl+F1). Each tells the user when
// nothing is found, when a list is cut at its capacity, and shows the
// record chosen through the navigator.
class PanelSearches {
public:
    // vehicleNames: the vehicle-name list; parent: the window the dialogs
    // belong to. Nothing is owned.
    PanelSearches(data::DataStore& store, PanelNavigator& navigator, QStringList vehicleNames,
                  SearchProfile& profile, QWidget* parent);
    ~PanelSearches();

    void setVehicleNames(const QStringList& names) { m_vehicleNames = names; }

    // True when a customer was shown.
    bool showByReading(const QString& reading);
    bool showByPlate(int number);
    void showOwnedVehicles();
    // Opens the reading index window; nothing when no customer exists.
    // onClosed runs when it closes (the frame restores its commands).
    CKokRanSearchFrame* openReadingIndex(std::function<void()> onClosed = {});

    // The query-by-form search (指定検索): whether the customer table allows
    // one; shows "顧客が存在しません！" when it is empty.
    bool canStartQuery();

    enum class QueryEnd {
        KeepQueryMode, // a field was refused: the user corrects it (focusColumn)
        NoResult,      // nothing to show: restore the mode, clear the panel
        ResultShown,   // the result window is open; onClosed runs when it closes
    };
    struct QueryExecution {
        QueryEnd end = QueryEnd::NoResult;
        QString focusColumn;
        CAllSearchFrame* window = nullptr;
    };
    // target: 0 customers, 1 vehicles; joiner: 0 AND, 1 OR (both saved to
    // the profile). previousSearchMode is applied before the first result
    // row is shown (1 when it is not a search mode).
    QueryExecution executeQuery(const QueryFormValues& customer, const QueryFormValues& vehicle,
                                int target, int joiner, int previousSearchMode,
                                std::function<void()> onClosed = {});

private:
    data::DataStore& m_store;
    PanelNavigator& m_navigator;
    QStringList m_vehicleNames;
    SearchProfile& m_profile;
    QWidget* m_parent;
    QPointer<CKokRanSearchFrame> m_readingIndex;
    QPointer<CAllSearchFrame> m_queryResults;
};

} // namespace kv::records::search
