#include "LinkTarget.h"

namespace {

bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

} // namespace

std::string TrimBlanks(const std::string& text)
{
    std::string::size_type first = 0;
    std::string::size_type last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

std::string LinkTarget(const std::string& url, const std::string& caption)
{
    const std::string& target = TrimBlanks(url).empty() ? caption : url;
    return TrimBlanks(target).empty() ? std::string() : target;
}
