#pragma once
// The user-agent tokens in the settings store (contract/BrowserUserAgentToken.h
// says where they live): a host's loaded step registers its token, the host's
// end removes it, and the program hands the engine the list.
#include "RegistryStore.h"

#include <string>
#include <vector>

namespace platform {

// Writes a value named token with empty text, creating the key when absent.
// Store failures are ignored: a token that cannot be stored is not added.
void RegisterUserAgentToken(RegistryStore& store, const std::string& token);
// Deletes the value named token if the key exists. Store failures are ignored.
void RemoveUserAgentToken(RegistryStore& store, const std::string& token);
// The non-empty value names of the key, sorted (empty when it is absent or
// cannot be read).
std::vector<std::string> UserAgentTokens(RegistryStore& store);

} // namespace platform
