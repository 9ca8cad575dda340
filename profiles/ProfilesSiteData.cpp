// Profiles: whose site data each profile's pages use, the button menu's "Keep
// Logins Apart" and the commands that forget site data.
#include "Profiles.h"

#include "ErrorReport.h"
#include "ProfilePageSets.h"
#include "ProfileSiteData.h"
#include "SiteDataQuestions.h"

namespace profiles {

void Profiles::AttachForgetSharedItem(Gtk::MenuItem& itmForgetSharedSiteData)
{
    forgetSharedConnection_.disconnect();
    forgetSharedConnection_ =
        itmForgetSharedSiteData.signal_activate().connect(sigc::mem_fun(*this, &Profiles::itmForgetSharedSiteDataClick));
}

platform::SiteData Profiles::SiteDataOf(int number)
{
    const bool apart = ReadKeepLoginsApart(store_, number);
    bar_.SetKeptApart(number, apart);
    if (!apart)
        return platform::SiteData::Shared();
    return apartSince_[static_cast<std::size_t>(number)] ? platform::SiteData::NewForProfile(number)
                                                         : platform::SiteData::OfProfile(number);
}

void Profiles::popProfileButtonsPopup()
{
    menuProfile_ = FLastProfileButton ? bar_.NumberOf(*FLastProfileButton) : ProfileButtonBar::kNoButton;
    const bool known = menuProfile_ != ProfileButtonBar::kNoButton;
    settingMenu_ = true;
    bar_.itmKeepLoginsApart.set_active(known && bar_.KeptApart(menuProfile_));
    settingMenu_ = false;
    bar_.itmKeepLoginsApart.set_sensitive(known);
    // A profile's own data can be forgotten while it keeps it apart, and after,
    // as long as it is on disk.
    bar_.itmForgetSiteData.set_sensitive(
        known && keeper_ &&
        (bar_.KeptApart(menuProfile_) || keeper_->HasSiteData(platform::SiteData::OfProfile(menuProfile_))));
}

void Profiles::itmKeepLoginsApartClick()
{
    if (settingMenu_ || menuProfile_ == ProfileButtonBar::kNoButton)
        return;
    const int number = std::exchange(menuProfile_, ProfileButtonBar::kNoButton);
    FLastProfileButton = nullptr;
    // The check item has flipped its own mark before this runs.
    const bool apart = bar_.itmKeepLoginsApart.get_active();
    if (apart == bar_.KeptApart(number))
        return;
    const bool shown = FCurrentProfile == ProfileKeyName(number);
    const int pages = pages_.PageCount();
    if (apart && shown && pages > 0 && !AskKeepLoginsApart(bar_.pnlQuickLaunch, number, pages))
        return;
    WriteKeepLoginsApart(store_, number, apart);
    if (apart)
        apartSince_[static_cast<std::size_t>(number)] = !keeper_ || !keeper_->HasSiteData(platform::SiteData::OfProfile(number));
    bar_.SetKeptApart(number, apart);
    // The pages on show move to the other data at once: saved, closed and
    // opened again, as a press of the profile's button does.
    if (shown)
        SwitchTo(number);
}

void Profiles::itmForgetSiteDataClick()
{
    if (menuProfile_ == ProfileButtonBar::kNoButton)
        return;
    const int number = std::exchange(menuProfile_, ProfileButtonBar::kNoButton);
    FLastProfileButton = nullptr;
    Forget(platform::SiteData::OfProfile(number), ForgetProfileSiteDataQuestion(bar_.ProfileName(number)));
}

void Profiles::itmForgetSharedSiteDataClick()
{
    Forget(platform::SiteData::Shared(), ForgetSharedSiteDataQuestion());
}

void Profiles::Forget(const platform::SiteData& siteData, const std::string& question)
{
    if (!keeper_ || !AskForgetSiteData(bar_.pnlQuickLaunch, question))
        return;
    const std::string what = siteData.IsShared() ? "The shared site data" : "The site data of " + siteData.Description();
    keeper_->ForgetSiteData(siteData, [what](bool cleared) {
        if (!cleared)
            platform::ReportError(what + " could not be forgotten.");
    });
}

} // namespace profiles
