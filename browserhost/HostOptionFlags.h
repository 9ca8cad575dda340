#pragma once
// The option sets of TBrowserHost and the flag words they stand for: each
// member adds the platform's published constant to the word.
#include <cstdint>
#include <initializer_list>
#include <string_view>

// A set of enumeration members (the enumeration counts from 0, below 32).
template <typename Enum>
class TOptionSet {
public:
    constexpr TOptionSet() = default;
    constexpr TOptionSet(std::initializer_list<Enum> members)
    {
        for (Enum m : members)
            Include(m);
    }
    constexpr void Include(Enum m) { bits_ |= Bit(m); }
    constexpr void Exclude(Enum m) { bits_ &= ~Bit(m); }
    constexpr bool Contains(Enum m) const { return (bits_ & Bit(m)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    friend constexpr bool operator==(TOptionSet, TOptionSet) = default;

private:
    static constexpr std::uint32_t Bit(Enum m) { return std::uint32_t{1} << static_cast<unsigned>(m); }
    std::uint32_t bits_ = 0;
};

enum class TDownloadControlOption {
    DLCTL_DLIMAGES,
    DLCTL_VIDEOS,
    DLCTL_BGSOUNDS,
    DLCTL_NO_SCRIPTS,
    DLCTL_NO_JAVA,
    DLCTL_NO_RUNACTIVEXCTLS,
    DLCTL_NO_DLACTIVEXCTLS,
    DLCTL_DOWNLOADONLY,
    DLCTL_NO_FRAMEDOWNLOAD,
    DLCTL_RESYNCHRONIZE,
    DLCTL_PRAGMA_NO_CACHE,
    DLCTL_NO_BEHAVIORS,
    DLCTL_NO_METACHARSET,
    DLCTL_URL_ENCODING_DISABLE_UTF8,
    DLCTL_URL_ENCODING_ENABLE_UTF8,
    DLCTL_FORCEOFFLINE,
    DLCTL_NO_CLIENTPULL,
    DLCTL_SILENT,
    DLCTL_OFFLINE,
};
using TDownloadControlOptions = TOptionSet<TDownloadControlOption>;

enum class TUserInterfaceOption {
    DIALOG,
    DISABLE_HELP_MENU,
    NO3DBORDER,
    SCROLL_NO,
    DISABLE_SCRIPT_INACTIVE,
    OPENNEWWIN,
    DISABLE_OFFSCREEN,
    FLAT_SCROLLBAR,
    DIV_BLOCKDEFAULT,
    ACTIVATE_CLIENTHIT_ONLY,
    OVERRIDEBEHAVIORFACTORY,
    CODEPAGELINKEDFONTS,
    URL_ENCODING_DISABLE_UTF8,
    URL_ENCODING_ENABLE_UTF8,
    ENABLE_FORMS_AUTOCOMPLETE,
    ENABLE_INPLACE_NAVIGATION,
    IME_ENABLE_RECONVERSION,
};
using TUserInterfaceOptions = TOptionSet<TUserInterfaceOption>;

struct TOptionFlagEntry {
    std::string_view Name;
    std::uint32_t Value;
};

// Member i of the enumeration is entry i.
extern const TOptionFlagEntry kDownloadControlFlagTable[19];
extern const TOptionFlagEntry kUserInterfaceFlagTable[17];

// Sum of the values of the members in the set (0 for the empty set).
std::uint32_t DownloadControlFlagWord(const TDownloadControlOptions& options);
std::uint32_t UserInterfaceFlagWord(const TUserInterfaceOptions& options);
