#pragma once
// Who the program is: the names and addresses it shows and stores.

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

} // namespace platform
