#include "PageCaptions.h"

namespace pages {
namespace {

constexpr const char* kHttpScheme = "http://";

// Removes leading and trailing blanks and control characters (code 32 or below).
std::string TrimControlAndBlanks(const std::string& text)
{
    auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

} // namespace

std::string SplitAtSeparator(std::string& text, const std::string& separator)
{
    const std::size_t at = separator.empty() ? std::string::npos : text.find(separator);
    if (at == std::string::npos) {
        std::string head = std::move(text);
        text.clear();
        return head;
    }
    std::string head = text.substr(0, at);
    text.erase(0, at + separator.size());
    return head;
}

std::string CaptionFromURL(const std::string& url)
{
    std::string rest = TrimControlAndBlanks(url);
    const std::size_t scheme = rest.find(kHttpScheme);
    if (scheme != std::string::npos)
        rest.erase(0, scheme + std::char_traits<char>::length(kHttpScheme));

    const std::string first = SplitAtSeparator(rest, ".");
    std::string second = SplitAtSeparator(rest, ".");
    if (first.empty() || second.empty() || rest.empty())
        return {};
    if (second[0] >= 'a' && second[0] <= 'z')
        second[0] = static_cast<char>(second[0] - 'a' + 'A');
    return second;
}

std::string NewPageCaption(const std::string& url, int pageCount)
{
    std::string caption = CaptionFromURL(url);
    return caption.empty() ? std::to_string(pageCount + 1) : caption;
}

} // namespace pages
