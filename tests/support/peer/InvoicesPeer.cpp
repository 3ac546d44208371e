// A computer issuing invoices of one slip into a shared archive:
//
//   invoices FOLDER SLIP COUNT STARTFILE
//
// waits for STARTFILE so that several peers start together, then keeps
// COUNT versions of slip SLIP of 2024, each a small file written in place of
// the PDF.

#include "PeerCommands.h"

#include "slips/core/InvoiceArchive.h"

#include <QFile>

#include <cstdio>

namespace kv::test::peer {

int runInvoices(const QStringList& args)
{
    if (args.size() != 4)
        return 64;
    const slips::InvoiceArchive archive(args[0]);
    const int slip = args[1].toInt();
    const int count = args[2].toInt();
    if (!waitForFile(args[3], 20000))
        return 2;
    const auto write = [](const QString& path, QString* error) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            *error = file.errorString();
            return false;
        }
        file.write("%PDF-1.4\n");
        return true;
    };
    for (int i = 0; i < count; ++i) {
        QString error;
        if (!archive.keep(slip, 2024, 42, QStringLiteral("same"), false, write, &error)) {
            std::fprintf(stderr, "keep: %s\n", error.toUtf8().constData());
            return 1;
        }
    }
    return 0;
}

} // namespace kv::test::peer
