#pragma once
// How the host's answers map onto the WebKit engine: one data table from the
// download-control flags (ambient property -5512) and the host-UI flags
// (GetHostInfo) to engine settings and page style rules. Pure data, so it can
// be checked without an engine.
#include "BrowserHostFlags.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

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
