#pragma once
// The text of a TKSVersionLabel: a version's four numbers in one of three styles.
#include <cstdint>
#include <string>

enum class TKSVerLabelDisplayFormat : std::uint8_t {
    ldfDefault = 0,          // "Version 2.0 Build 31"
    ldfIncludeRevision = 1,  // "Version 2.0.0 Build 31"
    ldfShowOnlyVersion = 2,  // "2.0.0.31"
};

std::string VersionText(std::uint32_t major, std::uint32_t minor, std::uint32_t release,
                        std::uint32_t build, TKSVerLabelDisplayFormat format);
