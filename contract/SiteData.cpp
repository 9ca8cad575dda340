#include "SiteData.h"

#include <stdexcept>

namespace platform {

SiteData::SiteData(int profile, bool isNew) : profile_(profile), new_(isNew)
{
    if (profile < 0 || profile >= kProfileCount)
        throw std::out_of_range("There is no profile " + std::to_string(profile) + ".");
}

SiteData SiteData::OfProfile(int number)
{
    return SiteData(number, false);
}

SiteData SiteData::NewForProfile(int number)
{
    return SiteData(number, true);
}

std::string SiteData::FolderName() const
{
    return IsShared() ? std::string() : "Profile" + std::to_string(profile_);
}

std::string SiteData::Description() const
{
    return IsShared() ? "the shared data" : "Profile " + std::to_string(profile_);
}

} // namespace platform
