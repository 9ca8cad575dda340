#include "BrowserUserAgentToken.h"

#include "RegistryStore.h"

#include <algorithm>

namespace platform {

void RegisterUserAgentToken(const std::string& token)
{
    RegistryStore& store = RegistryStore::Program();
    RegKey key;
    if (store.CreateKey(RegRoot::CurrentUser, kPostPlatformKeyPath, key) == kRegSuccess)
        store.SetValue(key, token, REG_SZ, std::string_view("\0", 1));
}

void RemoveUserAgentToken(const std::string& token)
{
    RegistryStore& store = RegistryStore::Program();
    RegKey key;
    if (store.OpenKey(RegRoot::CurrentUser, kPostPlatformKeyPath, key) == kRegSuccess)
        store.DeleteValue(key, token);
}

std::vector<std::string> UserAgentTokens()
{
    RegistryStore& store = RegistryStore::Program();
    RegKey key;
    std::vector<std::string> names;
    if (store.OpenKey(RegRoot::CurrentUser, kPostPlatformKeyPath, key) != kRegSuccess ||
        store.ValueNames(key, names) != kRegSuccess)
        return {};
    names.erase(std::remove(names.begin(), names.end(), std::string()), names.end());
    std::sort(names.begin(), names.end());
    return names;
}

std::string UserAgentWithTokens(const std::string& base, const std::vector<std::string>& tokens)
{
    std::string agent = base;
    for (const std::string& token : tokens) {
        // A token is one product word: control characters would break the header.
        if (std::any_of(token.begin(), token.end(), [](unsigned char c) { return c < 0x20 || c == 0x7F; }))
            continue;
        agent += "; " + token;
    }
    return agent;
}

} // namespace platform
