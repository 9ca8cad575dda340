#include "HostOptionFlags.h"

#include <iterator>

const TOptionFlagEntry kDownloadControlFlagTable[19] = {
    {"DLCTL_DLIMAGES", 0x10},
    {"DLCTL_VIDEOS", 0x20},
    {"DLCTL_BGSOUNDS", 0x40},
    {"DLCTL_NO_SCRIPTS", 0x80},
    {"DLCTL_NO_JAVA", 0x100},
    {"DLCTL_NO_RUNACTIVEXCTLS", 0x200},
    {"DLCTL_NO_DLACTIVEXCTLS", 0x400},
    {"DLCTL_DOWNLOADONLY", 0x800},
    {"DLCTL_NO_FRAMEDOWNLOAD", 0x1000},
    {"DLCTL_RESYNCHRONIZE", 0x2000},
    {"DLCTL_PRAGMA_NO_CACHE", 0x4000},
    {"DLCTL_NO_BEHAVIORS", 0x8000},
    {"DLCTL_NO_METACHARSET", 0x10000},
    {"DLCTL_URL_ENCODING_DISABLE_UTF8", 0x20000},
    {"DLCTL_URL_ENCODING_ENABLE_UTF8", 0x40000},
    {"DLCTL_FORCEOFFLINE", 0x10000000},
    {"DLCTL_NO_CLIENTPULL", 0x20000000},
    {"DLCTL_SILENT", 0x40000000},
    {"DLCTL_OFFLINE", 0x80000000},
};

const TOptionFlagEntry kUserInterfaceFlagTable[17] = {
    {"DIALOG", 0x1},
    {"DISABLE_HELP_MENU", 0x2},
    {"NO3DBORDER", 0x4},
    {"SCROLL_NO", 0x8},
    {"DISABLE_SCRIPT_INACTIVE", 0x10},
    {"OPENNEWWIN", 0x20},
    {"DISABLE_OFFSCREEN", 0x40},
    {"FLAT_SCROLLBAR", 0x80},
    {"DIV_BLOCKDEFAULT", 0x100},
    {"ACTIVATE_CLIENTHIT_ONLY", 0x200},
    {"OVERRIDEBEHAVIORFACTORY", 0x400},
    {"CODEPAGELINKEDFONTS", 0x800},
    {"URL_ENCODING_DISABLE_UTF8", 0x1000},
    {"URL_ENCODING_ENABLE_UTF8", 0x2000},
    {"ENABLE_FORMS_AUTOCOMPLETE", 0x4000},
    {"ENABLE_INPLACE_NAVIGATION", 0x10000},
    {"IME_ENABLE_RECONVERSION", 0x20000},
};

namespace {

template <typename Enum, std::size_t N>
std::uint32_t FlagWord(const TOptionSet<Enum>& options, const TOptionFlagEntry (&table)[N])
{
    std::uint32_t word = 0;
    for (std::size_t i = 0; i < N; ++i)
        if (options.Contains(static_cast<Enum>(i)))
            word += table[i].Value;
    return word;
}

} // namespace

std::uint32_t DownloadControlFlagWord(const TDownloadControlOptions& options)
{
    return FlagWord(options, kDownloadControlFlagTable);
}

std::uint32_t UserInterfaceFlagWord(const TUserInterfaceOptions& options)
{
    return FlagWord(options, kUserInterfaceFlagTable);
}
