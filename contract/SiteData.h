#pragma once
// Whose site data a page's control uses: its cookies, local storage,
// IndexedDB, service workers and HTTP cache. Either the data every profile
// shares, or one profile's own, kept apart from all others. The profiles
// decide it; it travels down to the engine with each control made, and the
// engine keeps one store of data per value in use.
#include <string>

namespace platform {

class SiteData {
public:
    static constexpr int kProfileCount = 10;

    // The data all profiles share unless they keep their logins apart.
    static SiteData Shared() { return SiteData(); }
    // Profile number's own data (0..9, else std::out_of_range), which is
    // expected to be there already: when it is missing, the engine says so.
    static SiteData OfProfile(int number);
    // Profile number's own data for a profile that has just begun to keep its
    // logins apart: none is expected yet.
    static SiteData NewForProfile(int number);

    bool IsShared() const { return profile_ < 0; }
    // The profile whose data this is; -1 for the shared data.
    int Profile() const { return profile_; }
    // No data of this profile's own is expected to exist yet.
    bool IsNew() const { return new_; }
    // The folder the profile's data lives in, below the engine's data and
    // cache folders: "Profile3". Empty for the shared data.
    std::string FolderName() const;
    // "Profile 3" or "the shared data", for messages.
    std::string Description() const;

    // The same data: whether it is new does not make it other data.
    friend bool operator==(const SiteData& a, const SiteData& b) { return a.profile_ == b.profile_; }

private:
    SiteData() = default;
    SiteData(int profile, bool isNew);

    int profile_ = -1;
    bool new_ = false;
};

} // namespace platform
