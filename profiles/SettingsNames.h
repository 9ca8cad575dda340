#pragma once
// Every key and value name the program stores, spelled once.
#include <string>

namespace profiles {

inline constexpr const char* kProgramKey = "\\Software\\Kestrane\\Pandrel";

// Values of the program's key.
inline constexpr const char* kWelcomed = "Welcomed";
inline constexpr const char* kHideEmptyProfiles = "HideEmptyProfiles";
inline constexpr const char* kLoadPagesWhenShown = "LoadPagesWhenShown";
inline constexpr const char* kProfileNameStem = "ProfileName";   // ProfileName0..9
inline constexpr const char* kURLCount = "URLCount";
inline constexpr const char* kHistoryURLStem = "URL";            // URL1..URLCount
// Where words typed as an address are searched; "%s" stands for the words.
inline constexpr const char* kSearchURL = "SearchURL";

// The profile keys and their values.
inline constexpr const char* kProfileKeyStem = "Profile";        // Profile0..9
// The profile current at every start, which gets a default page when empty.
inline constexpr const char* kStartProfileKey = "Profile1";
inline constexpr const char* kSites = "Sites";
inline constexpr const char* kLabelStem = "Label";               // Label0..Sites-1
inline constexpr const char* kFirstURLStem = "FirstURL";
inline constexpr const char* kPageURLStem = "URL";
inline constexpr const char* kRemURLStem = "RemURL";
// The page's back/forward list (REG_BINARY, the engine's bytes), beside the
// values above; a missing or refused one leaves the page without history.
inline constexpr const char* kSessionStem = "Session";
// REG_DWORD: not 0 when the profile's pages use site data of its own (their
// own cookies and storage); 0 or absent when they use the shared data.
inline constexpr const char* kKeepLoginsApart = "KeepLoginsApart";

inline constexpr const char* kYes = "Y";
inline constexpr const char* kNo = "N";

// stem followed by the decimal number: "URL" and 3 give "URL3".
inline std::string Numbered(const char* stem, long long number)
{
    return stem + std::to_string(number);
}

} // namespace profiles
