#pragma once
// The pages the WebKit engine shows itself: a failed load and a crashed page.
#include <string>

namespace platform {

// HTML text with &, <, >, " and ' escaped.
std::string EscapeHtml(const std::string& text);
std::string FailedLoadPage(const std::string& url, const std::string& reason);
std::string CrashedPage(const std::string& url, const std::string& reason);

} // namespace platform
