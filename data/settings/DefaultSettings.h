#pragma once

#include "data/settings/BitmapFileNames.h"
#include "data/settings/CallInfoFile.h"
#include "data/settings/CallerIdSettings.h"
#include "data/settings/CategoryNames.h"
#include "data/settings/GeneralSettings.h"
#include "data/settings/PrintSettings.h"
#include "data/settings/RoundingSettings.h"
#include "data/settings/SettingsList.h"
#include "data/settings/ShopDetails.h"

#include <QString>

namespace kv::data {

// The contents a fresh data folder starts with: a Japanese shop's usual tax
// and rounding, the line categories, the vehicle-form lists as the
// inspection certificate spells them, and Kanto transport offices.
class DefaultSettings {
public:
    static GeneralSettings general();
    static RoundingSettings rounding();
    static PrintSettings print();
    static ShopDetails shop();
    static CategoryNames categories();
    static SettingsList transportOffices();
    static SettingsList vehicleClasses();
    static SettingsList vehicleUses();
    static SettingsList bodyShapes();
    static SettingsList makes();
    static SettingsList fuels();
    static CallerIdSettings callerId();

    // The stored form of a record count of zero in "100.dat" ... "103.dat".
    static QByteArray emptyRecordCounter();
};

// Writes every settings file, the empty lock tables "050.dat" ... "061.dat",
// the record counters "100.dat" ... "103.dat" and the slip counter "015.dat"
// into folder. Refuses (false, reason in *error) when any of them exists
// already, so a shop's settings are never replaced.
bool writeDefaultSettings(const QString& folder, QString* error = nullptr);

} // namespace kv::data
