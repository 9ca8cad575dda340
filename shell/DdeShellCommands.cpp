#include "DdeShellCommands.h"

#include <charconv>

namespace platform {
namespace {

bool IsSignOrDigit(char c)
{
    return c == '+' || c == '-' || (c >= '0' && c <= '9');
}

// The run of sign and digit characters starting at the first such character
// at or after from (before limit); nullopt when there is none or it is no number.
std::optional<std::int64_t> NumberRun(const std::string& text, std::size_t from, std::size_t limit,
                                      std::size_t* end = nullptr)
{
    std::size_t start = from;
    while (start < limit && !IsSignOrDigit(text[start]))
        ++start;
    if (start >= limit)
        return std::nullopt;
    std::size_t stop = start;
    while (stop < limit && IsSignOrDigit(text[stop]))
        ++stop;
    if (end)
        *end = stop;
    const char* first = text.data() + start;
    if (*first == '+')
        ++first;
    std::int64_t value = 0;
    auto [parsed, error] = std::from_chars(first, text.data() + stop, value);
    if (error != std::errc() || parsed != text.data() + stop)
        return std::nullopt; // "1-2" or an overflow: not a number, not a reference
    return value;
}

} // namespace

std::string DdeCommandName(const std::string& ddeexecValue)
{
    const std::size_t bracket = ddeexecValue.find('[');
    const std::string after = bracket == std::string::npos ? std::string() : ddeexecValue.substr(bracket + 1);
    return after.substr(0, after.find('('));
}

std::string HtmlExecuteUrl(const std::string& command)
{
    if (command.empty() || command.front() != '"')
        return command;
    const std::string rest = command.substr(1);
    return rest.substr(0, rest.find('"'));
}

FolderCommand ParseFolderCommand(const std::string& command, const DdeCommandNames& names)
{
    FolderCommand parsed;
    const std::string name = DdeCommandName(command);
    if (!name.empty()) {
        if (name == names.open)
            parsed.kind = FolderCommandKind::Open;
        else if (name == names.explore)
            parsed.kind = FolderCommandKind::Explore;
        else if (name == names.find)
            parsed.kind = FolderCommandKind::Find;
    }
    const std::size_t firstQuote = command.find('"');
    if (firstQuote != std::string::npos) {
        const std::size_t secondQuote = command.find('"', firstQuote + 1);
        if (secondQuote != std::string::npos)
            parsed.path = command.substr(firstQuote + 1, secondQuote - firstQuote - 1);
    }
    const std::size_t firstComma = command.find(',');
    if (firstComma == std::string::npos)
        return parsed;
    const std::size_t secondComma = command.find(',', firstComma + 1);
    const std::size_t fieldEnd = secondComma == std::string::npos ? command.size() : secondComma;
    std::size_t numberEnd = 0;
    parsed.itemList = NumberRun(command, firstComma + 1, command.size(), &numberEnd);
    if (parsed.itemList) {
        const std::size_t colon = command.find(':', numberEnd);
        if (colon != std::string::npos && colon < fieldEnd)
            parsed.itemListProcess = NumberRun(command, colon + 1, command.size()).value_or(0);
    }
    if (secondComma != std::string::npos) {
        std::size_t at = secondComma + 1;
        while (at < command.size() && !IsSignOrDigit(command[at]))
            ++at;
        if (at < command.size() && command[at] >= '0' && command[at] <= '9')
            parsed.showCommand = command[at] - '0';
    }
    return parsed;
}

} // namespace platform
