#pragma once
// The folders of a profile's own site data, beside the shared data's:
// <data>/profiles/ProfileN and <cache>/profiles/ProfileN, owner-only. They are
// checked before a context opens them: a profile never starts on a folder it
// cannot use, and never on another profile's data.
#include "SiteData.h"
#include "WebKitEngine.h"
#include "WebKitEngineContext.h"

#include <filesystem>
#include <optional>

namespace platform {

struct WebKitProfileFolders {
    // Empty when no folder could be made: the data then lives in memory.
    std::optional<WebKitDataFolders> folders;
    // What was found, for the user (Found: nothing to tell).
    SiteDataProblem problem;
};

// The profile's folders below shared, made ready for a context: a missing
// data folder is made (and reported unless siteData is new), one that is no
// usable folder or holds a damaged cookie file is moved aside and made anew.
WebKitProfileFolders PrepareProfileFolders(const SiteData& siteData, const WebKitDataFolders& shared);

// The folders profile's own data would live in, below shared.
WebKitDataFolders ProfileFolders(const SiteData& siteData, const WebKitDataFolders& shared);

} // namespace platform
