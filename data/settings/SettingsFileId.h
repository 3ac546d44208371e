#pragma once

#include "data/settings/SettingsFileAccess.h"

#include <QString>

namespace kv::data {

// The settings files of the data folder that the program loads and saves.
enum class SettingsFileId {
    General,          // "001.dat"
    Rounding,         // "002.dat"
    Print,            // "003.dat"
    Shop,             // "004.dat"
    BitmapNames,      // "005.dat"
    TransportOffices, // "006.dat"
    Categories,       // "009.dat"
    VehicleClasses,   // "010.dat"
    VehicleUses,      // "011.dat"
    BodyShapes,       // "012.dat"
    Makes,            // "013.dat"
    Fuels,            // "014.dat"
    CallerId,         // "017.dat"
    CallInfo,         // "018.dat"
};

// File name, size and sharing of one settings file.
struct SettingsFileRules {
    const char* fileName;
    qsizetype size;
    bool shareAll; // other readers and writers allowed while it is open
    RetryRule loadRetry;
    RetryRule saveRetry;

    QString name() const { return QString::fromLatin1(fileName); }
    static const SettingsFileRules& of(SettingsFileId id);
};

} // namespace kv::data
