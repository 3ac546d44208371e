#pragma once

#include "data/settings/PrinterIdentity.h"

#include <QString>

namespace kv::data {

inline const QString kDefaultPositionFile = QStringLiteral("DefaultPos.dat");

// The position file of a printer: for a remote queue the server name without
// backslashes and the share name; for a shared local one the computer name and
// the share name; for an unshared one the computer name and the printer
// name's ASCII letters and digits; then ".dat". Characters that cannot be in a
// file name are dropped, so the name never leaves the printer folder. No name
// at all gives "DefaultPos.dat".
QString printPositionFileName(const PrinterIdentity& printer, const QString& computerName);

} // namespace kv::data
