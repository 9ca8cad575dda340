#pragma once
// Tokens that browser hosts add to the engine's user agent while they live:
// the value names under the current user's "Post Platform" key.
#include <string>
#include <vector>

namespace platform {

inline constexpr const char* kPostPlatformKeyPath =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\User Agent\\Post Platform";

// Writes a value named token with empty text, creating the key when absent.
// Store failures are ignored.
void RegisterUserAgentToken(const std::string& token);
// Deletes the value named token if the key exists (an empty token names the
// key's default value). Store failures are ignored.
void RemoveUserAgentToken(const std::string& token);
// The non-empty value names of the key, sorted (empty when it is absent).
std::vector<std::string> UserAgentTokens();
// The engine's user agent with the tokens added to its first comment, each
// after a "; " (a new comment when it has none). Tokens that cannot stand in a
// comment are left out.
std::string UserAgentWithTokens(const std::string& base, const std::vector<std::string>& tokens);

} // namespace platform
