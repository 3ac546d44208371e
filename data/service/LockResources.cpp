#include "data/service/LockResources.h"

#include <array>

namespace kv::data {

namespace {
struct ResourceFile {
    const char* resource;
    const char* lockFile;
};

constexpr std::array<ResourceFile, 12> kResources{{
    {"012.mdb", "050.dat"},
    {"011.mdb", "051.dat"},
    {"010.mdb", "052.dat"},
    {"009.mdb", "053.dat"},
    {"NewKokDummy", "054.dat"},
    {"NewCarDummy", "055.dat"},
    {"Printing", "056.dat"},
    {"DenKok", "057.dat"},
    {"008.mdb", "058.dat"},
    {"007.mdb", "059.dat"},
    {"006.mdb", "060.dat"},
    {"Meisei", "061.dat"},
}};
}

const QStringList& LockResources::names()
{
    static const QStringList list = [] {
        QStringList out;
        for (const auto& entry : kResources)
            out << QString::fromLatin1(entry.resource);
        return out;
    }();
    return list;
}

QString LockResources::lockFileOf(const QString& resource)
{
    for (const auto& entry : kResources) {
        if (resource == QLatin1String(entry.resource))
            return QString::fromLatin1(entry.lockFile);
    }
    return {};
}

} // namespace kv::data
