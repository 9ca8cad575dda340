#include "VersionText.h"

std::string VersionText(std::uint32_t major, std::uint32_t minor, std::uint32_t release,
                        std::uint32_t build, TKSVerLabelDisplayFormat format)
{
    const auto num = [](std::uint32_t v) { return std::to_string(v); };
    std::string text;
    if (format == TKSVerLabelDisplayFormat::ldfShowOnlyVersion) {
        text.append(num(major)).append(".").append(num(minor)).append(".");
        text.append(num(release)).append(".").append(num(build));
        return text;
    }
    text.append("Version ").append(num(major)).append(".").append(num(minor));
    if (format == TKSVerLabelDisplayFormat::ldfIncludeRevision)
        text.append(".").append(num(release));
    else if (release != 0)
        text.append(" Release ").append(num(release));
    if (build != 0)
        text.append(" Build ").append(num(build));
    return text;
}
