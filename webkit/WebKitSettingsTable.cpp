#include "WebKitSettingsTable.h"

namespace platform {

const std::vector<EngineSettingRow> kEngineSettingRows = {
    {HostFlagSource::DownloadControl, DLCTL_DLIMAGES, "auto-load-images", true},
    {HostFlagSource::DownloadControl, DLCTL_VIDEOS, "enable-media", true},
    {HostFlagSource::DownloadControl, DLCTL_BGSOUNDS, "enable-webaudio", true},
    {HostFlagSource::DownloadControl, DLCTL_NO_SCRIPTS, "enable-javascript", false},
    {HostFlagSource::DownloadControl, DLCTL_NO_SCRIPTS, "enable-javascript-markup", false},
};

const std::vector<EngineStyleRow> kEngineStyleRows = {
    {DOCHOSTUIFLAG_SCROLL_NO, "html, body { overflow: hidden !important; }"},
    {DOCHOSTUIFLAG_DIALOG, "* { -webkit-user-select: none; user-select: none; }"},
};

std::vector<EngineSettingValue> EngineSettingsFor(std::uint32_t downloadControlFlags, std::uint32_t hostUIFlags)
{
    std::vector<EngineSettingValue> values;
    for (const EngineSettingRow& row : kEngineSettingRows) {
        std::uint32_t word = row.source == HostFlagSource::DownloadControl ? downloadControlFlags : hostUIFlags;
        bool set = (word & row.flag) != 0;
        values.push_back({row.setting, set ? row.valueWhenFlagSet : !row.valueWhenFlagSet});
    }
    return values;
}

std::string EngineStyleSheetFor(std::uint32_t hostUIFlags)
{
    std::string css;
    for (const EngineStyleRow& row : kEngineStyleRows)
        if (hostUIFlags & row.flag)
            css += std::string(row.css) + "\n";
    return css;
}

} // namespace platform
