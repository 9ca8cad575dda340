#include "UserAgentTokens.h"

#include "BrowserUserAgentToken.h"

#include <algorithm>

namespace platform {

void RegisterUserAgentToken(RegistryStore& store, const std::string& token)
{
    RegKey key;
    if (store.CreateKey(RegRoot::CurrentUser, kPostPlatformKeyPath, key) == kRegSuccess)
        store.SetValue(key, token, REG_SZ, std::string_view("\0", 1));
}

void RemoveUserAgentToken(RegistryStore& store, const std::string& token)
{
    RegKey key;
    if (store.OpenKey(RegRoot::CurrentUser, kPostPlatformKeyPath, key) == kRegSuccess)
        store.DeleteValue(key, token);
}

std::vector<std::string> UserAgentTokens(RegistryStore& store)
{
    RegKey key;
    std::vector<std::string> names;
    if (store.OpenKey(RegRoot::CurrentUser, kPostPlatformKeyPath, key) != kRegSuccess ||
        store.ValueNames(key, names) != kRegSuccess)
        return {};
    names.erase(std::remove(names.begin(), names.end(), std::string()), names.end());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace platform
