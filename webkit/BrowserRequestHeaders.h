#pragma once
// The extra headers a caller passes to Navigate2: "Name: value" lines
// separated by CR LF.
#include <string>
#include <utility>
#include <vector>

namespace platform {

// Lines without a colon, with an empty name or with a stray CR or LF are dropped;
// leading blanks of a value are removed.
std::vector<std::pair<std::string, std::string>> ParseRequestHeaders(const std::string& text);

} // namespace platform
