#pragma once
// User-agent tokens: names that browser hosts register while they live, under
// the current user's "Post Platform" key of the settings store, and that an
// engine adds to the user agent of every new view. The key holds one value per
// token, named by it; the key's default value names none.
#include <string>
#include <vector>

namespace platform {

inline constexpr const char* kPostPlatformKeyPath =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\User Agent\\Post Platform";

// The engine's user agent with the tokens added to its first comment, each
// after a "; " (a new comment when it has none). Tokens that cannot stand in a
// comment are left out.
std::string UserAgentWithTokens(const std::string& base, const std::vector<std::string>& tokens);

} // namespace platform
