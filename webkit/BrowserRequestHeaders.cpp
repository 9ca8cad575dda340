#include "BrowserRequestHeaders.h"

namespace platform {

std::vector<std::pair<std::string, std::string>> ParseRequestHeaders(const std::string& text)
{
    std::vector<std::pair<std::string, std::string>> headers;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 2;
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos || colon == 0 || line.find_first_of("\r\n") != std::string::npos)
            continue;
        std::string value = line.substr(colon + 1);
        value.erase(0, value.find_first_not_of(" \t") == std::string::npos ? value.size()
                                                                             : value.find_first_not_of(" \t"));
        headers.emplace_back(line.substr(0, colon), value);
    }
    return headers;
}

} // namespace platform
