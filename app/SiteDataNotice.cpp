#include "SiteDataNotice.h"

std::string SiteDataNoticeText(const platform::SiteData& siteData, const platform::SiteDataProblem& problem)
{
    using Kind = platform::SiteDataProblem::Kind;
    const std::string profile = siteData.Description();
    const std::string empty = "it starts empty, and you may need to sign in again.";
    switch (problem.kind) {
    case Kind::Missing: return profile + " keeps its logins apart, but its site data was not found: " + empty;
    case Kind::Damaged:
        return "The site data of " + profile + " was damaged and was moved aside as " + problem.setAsideAs + ": " +
               empty;
    case Kind::Unusable:
        return "The site data of " + profile + " cannot be kept (" + problem.detail +
               "): until Pandrel ends it is kept in memory only, and it starts empty.";
    case Kind::None: break;
    }
    return {};
}

void SiteDataNotice::Show(const platform::SiteData& siteData, const platform::SiteDataProblem& problem)
{
    const std::string text = SiteDataNoticeText(siteData, problem);
    if (text.empty())
        return;
    ShowText(text);
}
