#include "DownloadFigures.h"

#include "GObjectPtr.h"

#include <cmath>

namespace platform {
namespace {

std::string SizeText(std::uint64_t bytes)
{
    return TakeGText(g_format_size(bytes));
}

std::string Count(std::uint64_t n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

} // namespace

std::string DownloadSizeText(std::uint64_t received, std::uint64_t total)
{
    std::string text = SizeText(received);
    if (total > 0) {
        text += " of ";
        text += SizeText(total);
    }
    return text;
}

std::string DownloadSpeedText(double bytesPerSecond)
{
    if (!(bytesPerSecond > 0))
        return {};
    return SizeText(static_cast<std::uint64_t>(std::llround(bytesPerSecond))) + "/s";
}

std::string DownloadTimeLeftText(std::uint64_t received, std::uint64_t total, double bytesPerSecond)
{
    if (total == 0 || received > total || !(bytesPerSecond > 0))
        return {};
    const auto seconds = static_cast<std::uint64_t>(std::ceil(static_cast<double>(total - received) / bytesPerSecond));
    std::string text;
    if (seconds < 60)
        text = Count(seconds, "second", "seconds");
    else if (seconds < 3600)
        text = Count((seconds + 30) / 60, "minute", "minutes");
    else
        text = Count(seconds / 3600, "hour", "hours") + " " + Count((seconds % 3600) / 60, "minute", "minutes");
    return text + " left";
}

} // namespace platform
