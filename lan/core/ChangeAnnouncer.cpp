#include "lan/core/ChangeAnnouncer.h"

namespace kv::lan {
namespace {

ChangeAnnouncer* g_installed = nullptr;

} // namespace

ChangeAnnouncer::~ChangeAnnouncer() = default;

QString ChangeAnnouncer::commandText(const QString& command, const QString& kind,
                                     const QStringList& values)
{
    if (kind.isEmpty() && values.isEmpty())
        return command;
    QStringList fields{command, kind};
    fields += values;
    return fields.join(QLatin1Char(','));
}

void installChangeAnnouncer(ChangeAnnouncer* announcer)
{
    g_installed = announcer;
}

ChangeAnnouncer& changeAnnouncer()
{
    static StandAloneAnnouncer standAlone;
    return g_installed ? *g_installed : standAlone;
}

} // namespace kv::lan
