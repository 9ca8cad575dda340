#pragma once
// How the host's answers map onto the WebKit engine: one data table from the
// download-control flags (ambient property -5512) and the host-UI flags
// (GetHostInfo) to engine settings and page style rules. Pure data, so it can
// be checked without an engine.
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Download-control flags (the ambient property's word).
inline constexpr std::uint32_t DLCTL_DLIMAGES = 0x10;
inline constexpr std::uint32_t DLCTL_VIDEOS = 0x20;
inline constexpr std::uint32_t DLCTL_BGSOUNDS = 0x40;
inline constexpr std::uint32_t DLCTL_NO_SCRIPTS = 0x80;
inline constexpr std::uint32_t DLCTL_NO_JAVA = 0x100;
inline constexpr std::uint32_t DLCTL_NO_RUNACTIVEXCTLS = 0x200;
inline constexpr std::uint32_t DLCTL_NO_DLACTIVEXCTLS = 0x400;
inline constexpr std::uint32_t DLCTL_NO_FRAMEDOWNLOAD = 0x1000;
inline constexpr std::uint32_t DLCTL_RESYNCHRONIZE = 0x2000;
inline constexpr std::uint32_t DLCTL_PRAGMA_NO_CACHE = 0x4000;
inline constexpr std::uint32_t DLCTL_SILENT = 0x40000000;

// Host-UI flags (GetHostInfo's dwFlags).
inline constexpr std::uint32_t DOCHOSTUIFLAG_DIALOG = 0x1;
inline constexpr std::uint32_t DOCHOSTUIFLAG_NO3DBORDER = 0x4;
inline constexpr std::uint32_t DOCHOSTUIFLAG_SCROLL_NO = 0x8;
inline constexpr std::uint32_t DOCHOSTUIFLAG_OPENNEWWIN = 0x20;
inline constexpr std::uint32_t DOCHOSTUIFLAG_ENABLE_FORMS_AUTOCOMPLETE = 0x4000;
inline constexpr std::uint32_t DOCHOSTUIFLAG_ENABLE_INPLACE_NAVIGATION = 0x10000;

enum class HostFlagSource { DownloadControl, HostUI };

// One row: the setting is valueWhenFlagSet while the flag is in its word, the opposite otherwise.
struct EngineSettingRow {
    HostFlagSource source;
    std::uint32_t flag;
    const char* setting; // a boolean property of WebKitSettings
    bool valueWhenFlagSet;
};

// A page style rule added while its host-UI flag is set.
struct EngineStyleRow {
    std::uint32_t flag;
    const char* css;
};

extern const std::vector<EngineSettingRow> kEngineSettingRows;
extern const std::vector<EngineStyleRow> kEngineStyleRows;

struct EngineSettingValue {
    std::string setting;
    bool value;
    friend bool operator==(const EngineSettingValue&, const EngineSettingValue&) = default;
};

// The engine settings for the two flag words, in table order.
std::vector<EngineSettingValue> EngineSettingsFor(std::uint32_t downloadControlFlags, std::uint32_t hostUIFlags);
// The style sheet for the host-UI flags (empty when no rule applies).
std::string EngineStyleSheetFor(std::uint32_t hostUIFlags);

} // namespace platform
