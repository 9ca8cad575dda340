#include "HandedOverArguments.h"

#include <glib.h>

#include <filesystem>
#include <system_error>

namespace {

// "scheme:" as URLs begin (letters, then letters, digits, "+", "-" or ".").
bool HasScheme(const std::string& text)
{
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos || colon == 0 || !g_ascii_isalpha(text[0]))
        return false;
    for (std::size_t i = 1; i < colon; ++i)
        if (!g_ascii_isalnum(text[i]) && text[i] != '+' && text[i] != '-' && text[i] != '.')
            return false;
    return true;
}

// A file named relative to the sender's folder, as a shell user means it.
std::string AbsoluteIfLocalFile(const std::string& text, const std::string& cwd)
{
    if (cwd.empty() || text.empty() || text[0] == '/' || HasScheme(text))
        return text;
    const std::filesystem::path candidate = std::filesystem::path(cwd) / text;
    std::error_code error;
    if (candidate.is_absolute() && std::filesystem::is_regular_file(candidate, error))
        return candidate.lexically_normal().string();
    return text;
}

} // namespace

HandedOverArguments CheckHandedOverArguments(const std::vector<std::string>& arguments)
{
    HandedOverArguments result;
    std::size_t first = 1;
    if (arguments.size() > first && arguments[first] == "--")
        ++first;
    for (std::size_t i = first; i < arguments.size(); ++i) {
        const std::string& text = arguments[i];
        if (text.empty())
            continue;
        if (!g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) {
            result.problems.push_back("argument " + std::to_string(i - first + 1) +
                                      " is not UTF-8 text; not opened");
        } else if (text.size() > kMaxHandedOverUrlLength) {
            result.problems.push_back("argument " + std::to_string(i - first + 1) + " is longer than " +
                                      std::to_string(kMaxHandedOverUrlLength) + " bytes; not opened");
        } else if (result.urls.size() == kMaxHandedOverUrls) {
            result.problems.push_back("more than " + std::to_string(kMaxHandedOverUrls) +
                                      " URLs at once; \"" + text + "\" and the rest not opened");
            break;
        } else {
            result.urls.push_back(text);
        }
    }
    return result;
}

std::vector<std::string> AbsoluteLocalFiles(const std::vector<std::string>& names, const std::string& folder)
{
    std::vector<std::string> sent;
    sent.reserve(names.size());
    for (const std::string& name : names)
        sent.push_back(AbsoluteIfLocalFile(name, folder));
    return sent;
}
