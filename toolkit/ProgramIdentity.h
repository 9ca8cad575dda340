#pragma once
// Who the program is: the names and addresses it shows and stores.
#include <string>
#include <string_view>

namespace platform {

inline constexpr const char* kApplicationTitle = "Pandrel";
inline constexpr const char* kMainWindowCaption = "Kestrane Pandrel 2.0";
inline constexpr const char* kProductTitle = "Kestrane Pandrel";
inline constexpr const char* kMakerName = "Kestrane";
// The maker's web site: the default page of the first profile, the first URL
// history entry and the About box's link.
inline constexpr const char* kMakerWebSite = "https://www.kestrane.com/";
// GResource prefix of the program's pictures and animations.
inline constexpr const char* kResourcePrefix = "/com/kestrane/pandrel/";

// The bundle path of a resource named below the prefix, e.g. "welcome.png".
inline std::string ResourcePath(std::string_view name)
{
    std::string path(kResourcePrefix);
    path.append(name);
    return path;
}

} // namespace platform
