#include "HostOptionFlags.h"

#include "BrowserHostFlags.h"

#include <iterator>

const TOptionFlagEntry kDownloadControlFlagTable[19] = {
    {"DLCTL_DLIMAGES", platform::DLCTL_DLIMAGES},
    {"DLCTL_VIDEOS", platform::DLCTL_VIDEOS},
    {"DLCTL_BGSOUNDS", platform::DLCTL_BGSOUNDS},
    {"DLCTL_NO_SCRIPTS", platform::DLCTL_NO_SCRIPTS},
    {"DLCTL_NO_JAVA", platform::DLCTL_NO_JAVA},
    {"DLCTL_NO_RUNACTIVEXCTLS", platform::DLCTL_NO_RUNACTIVEXCTLS},
    {"DLCTL_NO_DLACTIVEXCTLS", platform::DLCTL_NO_DLACTIVEXCTLS},
    {"DLCTL_DOWNLOADONLY", platform::DLCTL_DOWNLOADONLY},
    {"DLCTL_NO_FRAMEDOWNLOAD", platform::DLCTL_NO_FRAMEDOWNLOAD},
    {"DLCTL_RESYNCHRONIZE", platform::DLCTL_RESYNCHRONIZE},
    {"DLCTL_PRAGMA_NO_CACHE", platform::DLCTL_PRAGMA_NO_CACHE},
    {"DLCTL_NO_BEHAVIORS", platform::DLCTL_NO_BEHAVIORS},
    {"DLCTL_NO_METACHARSET", platform::DLCTL_NO_METACHARSET},
    {"DLCTL_URL_ENCODING_DISABLE_UTF8", platform::DLCTL_URL_ENCODING_DISABLE_UTF8},
    {"DLCTL_URL_ENCODING_ENABLE_UTF8", platform::DLCTL_URL_ENCODING_ENABLE_UTF8},
    {"DLCTL_FORCEOFFLINE", platform::DLCTL_FORCEOFFLINE},
    {"DLCTL_NO_CLIENTPULL", platform::DLCTL_NO_CLIENTPULL},
    {"DLCTL_SILENT", platform::DLCTL_SILENT},
    {"DLCTL_OFFLINE", platform::DLCTL_OFFLINE},
};

const TOptionFlagEntry kUserInterfaceFlagTable[17] = {
    {"DIALOG", platform::DOCHOSTUIFLAG_DIALOG},
    {"DISABLE_HELP_MENU", platform::DOCHOSTUIFLAG_DISABLE_HELP_MENU},
    {"NO3DBORDER", platform::DOCHOSTUIFLAG_NO3DBORDER},
    {"SCROLL_NO", platform::DOCHOSTUIFLAG_SCROLL_NO},
    {"DISABLE_SCRIPT_INACTIVE", platform::DOCHOSTUIFLAG_DISABLE_SCRIPT_INACTIVE},
    {"OPENNEWWIN", platform::DOCHOSTUIFLAG_OPENNEWWIN},
    {"DISABLE_OFFSCREEN", platform::DOCHOSTUIFLAG_DISABLE_OFFSCREEN},
    {"FLAT_SCROLLBAR", platform::DOCHOSTUIFLAG_FLAT_SCROLLBAR},
    {"DIV_BLOCKDEFAULT", platform::DOCHOSTUIFLAG_DIV_BLOCKDEFAULT},
    {"ACTIVATE_CLIENTHIT_ONLY", platform::DOCHOSTUIFLAG_ACTIVATE_CLIENTHIT_ONLY},
    {"OVERRIDEBEHAVIORFACTORY", platform::DOCHOSTUIFLAG_OVERRIDEBEHAVIORFACTORY},
    {"CODEPAGELINKEDFONTS", platform::DOCHOSTUIFLAG_CODEPAGELINKEDFONTS},
    {"URL_ENCODING_DISABLE_UTF8", platform::DOCHOSTUIFLAG_URL_ENCODING_DISABLE_UTF8},
    {"URL_ENCODING_ENABLE_UTF8", platform::DOCHOSTUIFLAG_URL_ENCODING_ENABLE_UTF8},
    {"ENABLE_FORMS_AUTOCOMPLETE", platform::DOCHOSTUIFLAG_ENABLE_FORMS_AUTOCOMPLETE},
    {"ENABLE_INPLACE_NAVIGATION", platform::DOCHOSTUIFLAG_ENABLE_INPLACE_NAVIGATION},
    {"IME_ENABLE_RECONVERSION", platform::DOCHOSTUIFLAG_IME_ENABLE_RECONVERSION},
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
