#pragma once

#include "data/settings/DefaultPrinterSource.h"

#include <QByteArray>
#include <QString>

namespace kv::data {

// The default printer of the CUPS print system, found the way its clients
// find it: LPDEST or PRINTER, the user's lpoptions file, then the server's
// default as lpstat reports it. A destination "queue@host" is a remote queue
// shared by host.
class CupsDefaultPrinter final : public DefaultPrinterSource {
public:
    Result defaultPrinter(PrinterIdentity* printer) const override;

    // The destination of the last "Default" line of an lpoptions file,
    // without its "/instance"; empty when there is none.
    static QString defaultFromLpoptions(const QByteArray& content);
    // The identity of a destination name ("queue" or "queue@host").
    static PrinterIdentity identityOf(const QString& destination);
    // The computer name used in position file names: the host name up to
    // its first dot.
    static QString computerName();
};

} // namespace kv::data
