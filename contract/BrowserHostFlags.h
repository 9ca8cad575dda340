#pragma once
// The flag words a host answers a browser control with: the download-control
// ambient property (-5512) and the host-UI flags of GetHostInfo. Hosts build
// the words from them, engines read the words with them.
#include <cstdint>

namespace platform {

// Download-control flags (the ambient property's word).
inline constexpr std::uint32_t DLCTL_DLIMAGES = 0x10;
inline constexpr std::uint32_t DLCTL_VIDEOS = 0x20;
inline constexpr std::uint32_t DLCTL_BGSOUNDS = 0x40;
inline constexpr std::uint32_t DLCTL_NO_SCRIPTS = 0x80;
inline constexpr std::uint32_t DLCTL_NO_JAVA = 0x100;
inline constexpr std::uint32_t DLCTL_NO_RUNACTIVEXCTLS = 0x200;
inline constexpr std::uint32_t DLCTL_NO_DLACTIVEXCTLS = 0x400;
inline constexpr std::uint32_t DLCTL_DOWNLOADONLY = 0x800;
inline constexpr std::uint32_t DLCTL_NO_FRAMEDOWNLOAD = 0x1000;
inline constexpr std::uint32_t DLCTL_RESYNCHRONIZE = 0x2000;
inline constexpr std::uint32_t DLCTL_PRAGMA_NO_CACHE = 0x4000;
inline constexpr std::uint32_t DLCTL_NO_BEHAVIORS = 0x8000;
inline constexpr std::uint32_t DLCTL_NO_METACHARSET = 0x10000;
inline constexpr std::uint32_t DLCTL_URL_ENCODING_DISABLE_UTF8 = 0x20000;
inline constexpr std::uint32_t DLCTL_URL_ENCODING_ENABLE_UTF8 = 0x40000;
inline constexpr std::uint32_t DLCTL_FORCEOFFLINE = 0x10000000;
inline constexpr std::uint32_t DLCTL_NO_CLIENTPULL = 0x20000000;
inline constexpr std::uint32_t DLCTL_SILENT = 0x40000000;
inline constexpr std::uint32_t DLCTL_OFFLINE = 0x80000000;

// Host-UI flags (GetHostInfo's dwFlags).
inline constexpr std::uint32_t DOCHOSTUIFLAG_DIALOG = 0x1;
inline constexpr std::uint32_t DOCHOSTUIFLAG_DISABLE_HELP_MENU = 0x2;
inline constexpr std::uint32_t DOCHOSTUIFLAG_NO3DBORDER = 0x4;
inline constexpr std::uint32_t DOCHOSTUIFLAG_SCROLL_NO = 0x8;
inline constexpr std::uint32_t DOCHOSTUIFLAG_DISABLE_SCRIPT_INACTIVE = 0x10;
inline constexpr std::uint32_t DOCHOSTUIFLAG_OPENNEWWIN = 0x20;
inline constexpr std::uint32_t DOCHOSTUIFLAG_DISABLE_OFFSCREEN = 0x40;
inline constexpr std::uint32_t DOCHOSTUIFLAG_FLAT_SCROLLBAR = 0x80;
inline constexpr std::uint32_t DOCHOSTUIFLAG_DIV_BLOCKDEFAULT = 0x100;
inline constexpr std::uint32_t DOCHOSTUIFLAG_ACTIVATE_CLIENTHIT_ONLY = 0x200;
inline constexpr std::uint32_t DOCHOSTUIFLAG_OVERRIDEBEHAVIORFACTORY = 0x400;
inline constexpr std::uint32_t DOCHOSTUIFLAG_CODEPAGELINKEDFONTS = 0x800;
inline constexpr std::uint32_t DOCHOSTUIFLAG_URL_ENCODING_DISABLE_UTF8 = 0x1000;
inline constexpr std::uint32_t DOCHOSTUIFLAG_URL_ENCODING_ENABLE_UTF8 = 0x2000;
inline constexpr std::uint32_t DOCHOSTUIFLAG_ENABLE_FORMS_AUTOCOMPLETE = 0x4000;
inline constexpr std::uint32_t DOCHOSTUIFLAG_ENABLE_INPLACE_NAVIGATION = 0x10000;
inline constexpr std::uint32_t DOCHOSTUIFLAG_IME_ENABLE_RECONVERSION = 0x20000;

} // namespace platform
