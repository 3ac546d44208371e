#include "records/BaseOfUse.h"

namespace kv::records {

QString BaseOfUse::marker()
{
    return QStringLiteral("＊＊＊");
}

BaseOfUse::Lines BaseOfUse::show(const Lines& stored, const Lines& userAddress)
{
    if (stored.first.isEmpty() && stored.second.isEmpty())
        return {};
    if (stored == userAddress)
        return {marker(), QString()};
    return stored;
}

BaseOfUse::Lines BaseOfUse::enterFirst(const Lines& shown, const Lines& userAddress)
{
    Lines lines = shown;
    if (lines.first == marker())
        lines.first = userAddress.first;
    return lines;
}

BaseOfUse::Lines BaseOfUse::enterSecond(const Lines& shown, const Lines& userAddress)
{
    Lines lines = shown;
    if (lines.second.isEmpty() && lines.first == marker())
        lines.second = userAddress.second;
    return lines;
}

BaseOfUse::Lines BaseOfUse::leaveFirst(const Lines& shown, const Lines& userAddress)
{
    Lines lines = shown;
    if (!lines.first.isEmpty() && lines.first == userAddress.first)
        lines.first = marker();
    return lines;
}

BaseOfUse::Lines BaseOfUse::leaveSecond(const Lines& shown, const Lines& userAddress)
{
    Lines lines = shown;
    if (lines.first == marker()) {
        if (lines.second == userAddress.second)
            lines.second.clear();
        else
            lines.first = userAddress.first;
    } else if (!lines.first.isEmpty() && lines == userAddress) {
        lines = {marker(), QString()};
    }
    return lines;
}

BaseOfUse::Lines BaseOfUse::forRecording(const Lines& shown, const Lines& userAddress)
{
    Lines lines = shown;
    // An empty first line is no copy of an empty address line 1.
    if (lines.second.isEmpty() && !lines.first.isEmpty()
        && (lines.first == marker() || lines.first == userAddress.first))
        lines.second = userAddress.second;
    if (lines.first == marker())
        lines.first = userAddress.first;
    return lines;
}

} // namespace kv::records
