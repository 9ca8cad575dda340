#include "BrowserUserAgentToken.h"

#include <algorithm>

namespace platform {

std::string UserAgentWithTokens(const std::string& base, const std::vector<std::string>& tokens)
{
    // Tokens go after the platform's own ones, inside the first comment, as
    // "(X11; Linux x86_64; token)"; a ";" outside a comment is no valid header.
    std::string added;
    for (const std::string& token : tokens) {
        // A token is one piece of comment text: control characters, brackets
        // and backslashes would break the header or the comment.
        if (std::any_of(token.begin(), token.end(), [](unsigned char c) {
                return c < 0x20 || c >= 0x7F || c == '(' || c == ')' || c == '\\';
            }))
            continue;
        added += "; " + token;
    }
    if (added.empty())
        return base;
    const std::size_t open = base.find('(');
    const std::size_t close = open == std::string::npos ? std::string::npos : base.find(')', open);
    if (close == std::string::npos)
        return base + " (" + added.substr(2) + ")";
    return base.substr(0, close) + added + base.substr(close);
}

} // namespace platform
