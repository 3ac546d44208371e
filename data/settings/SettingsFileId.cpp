#include "data/settings/SettingsFileId.h"

namespace kv::data {

const SettingsFileRules& SettingsFileRules::of(SettingsFileId id)
{
    using R = RetryRule;
    // Blocks the whole shop depends on are waited for; the list files are
    // waited for on loading, given up on after a minute when saving; the
    // print and bitmap files are opened shared and not retried.
    static const SettingsFileRules rules[] = {
        {"001.dat", 256, false, R::UntilSuccess, R::UntilSuccess},
        {"002.dat", 256, false, R::UntilSuccess, R::UntilSuccess},
        {"003.dat", 256, true, R::None, R::None},
        {"004.dat", 1024, false, R::UntilSuccess, R::UntilSuccess},
        {"005.dat", 2560, true, R::None, R::None},
        {"006.dat", 160, false, R::UntilSuccess, R::GiveUp},
        {"009.dat", 76, false, R::None, R::None},
        {"010.dat", 496, false, R::UntilSuccess, R::GiveUp},
        {"011.dat", 496, false, R::UntilSuccess, R::GiveUp},
        {"012.dat", 1952, false, R::UntilSuccess, R::GiveUp},
        {"013.dat", 1952, false, R::UntilSuccess, R::GiveUp},
        {"014.dat", 336, false, R::UntilSuccess, R::GiveUp},
        {"017.dat", 1024, false, R::UntilSuccess, R::UntilSuccess},
        {"018.dat", 10240, false, R::UntilSuccess, R::UntilSuccess},
    };
    return rules[static_cast<int>(id)];
}

} // namespace kv::data
