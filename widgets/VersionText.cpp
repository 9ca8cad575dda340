#include "VersionText.h"

std::string VersionText(std::uint32_t major, std::uint32_t minor, std::uint32_t release,
                        std::uint32_t build, TKSVerLabelDisplayFormat format)
{
    const auto num = [](std::uint32_t v) { return std::to_string(v); };
    if (format == TKSVerLabelDisplayFormat::ldfShowOnlyVersion)
        return num(major) + "." + num(minor) + "." + num(release) + "." + num(build);

    std::string text = "Version " + num(major) + "." + num(minor);
    if (format == TKSVerLabelDisplayFormat::ldfIncludeRevision)
        text += "." + num(release);
    else if (release != 0)
        text += " Release " + num(release);
    if (build != 0)
        text += " Build " + num(build);
    return text;
}
