#pragma once
// The questions asked before a profile's site data changes: turning "Keep
// Logins Apart" on for the profile on show (its pages reload) and forgetting
// a store of site data. Each is a modal message box over owner's window;
// true when the user goes on.
#include <gtkmm/widget.h>

#include <string>

namespace profiles {

inline constexpr const char* kKeepLoginsApartTitle = "Keep Logins Apart";
inline constexpr const char* kForgetSiteDataTitle = "Forget Site Data";

// "Profile 3 will keep its own logins. Its 4 pages reload and you may need to
// sign in again. Continue?"
std::string KeepLoginsApartQuestion(int number, int pages);
bool AskKeepLoginsApart(Gtk::Widget& owner, int number, int pages);

// "Forget the site data of Profile 3: Work? ..." for a profile's own data,
// and the question for the shared data.
std::string ForgetProfileSiteDataQuestion(const std::string& profileName);
std::string ForgetSharedSiteDataQuestion();
bool AskForgetSiteData(Gtk::Widget& owner, const std::string& question);

} // namespace profiles
