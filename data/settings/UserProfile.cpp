#include "data/settings/UserProfile.h"

namespace kv::data {

std::unique_ptr<QSettings> openUserProfile()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QString::fromLatin1(kProfileOrganisation),
                                       QString::fromLatin1(kProfileApplication));
}

} // namespace kv::data
