#include "SearchAddress.h"

#include "SettingsKey.h"
#include "SettingsNames.h"

namespace profiles {
namespace {
constexpr std::size_t kLongestSearchAddress = 2048;
} // namespace

std::string ReadSearchAddress(platform::RegistryStore& store, const std::string& fallback)
{
    try {
        SettingsKey key(store);
        if (!key.OpenProgramKey(false) || !key.ValueExists(kSearchURL))
            return fallback;
        std::string address = key.ReadString(kSearchURL);
        key.Commit();
        if (address.empty() || address.size() > kLongestSearchAddress)
            return fallback;
        return address;
    } catch (...) {
        // A damaged value (a number, say) leaves the default search in use.
        return fallback;
    }
}

} // namespace profiles
