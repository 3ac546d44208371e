#pragma once

#include <QPointer>
#include <QStringList>

#include <functional>

class QWidget;

namespace kv::data {
class DataStore;
}

namespace kv::records::search {

class CKokRanSearchFrame;
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

private:
    data::DataStore& m_store;
    PanelNavigator& m_navigator;
    QStringList m_vehicleNames;
    SearchProfile& m_profile;
    QWidget* m_parent;
    QPointer<CKokRanSearchFrame> m_readingIndex;
};

} // namespace kv::records::search
