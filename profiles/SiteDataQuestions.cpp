#include "SiteDataQuestions.h"

#include "Utf8Strict.h"

#include <gtkmm/messagedialog.h>

namespace profiles {
namespace {

bool Ask(Gtk::Widget& owner, const char* title, const std::string& question, const char* goOn)
{
    Gtk::MessageDialog box(platform::ValidUtf8(question), false, Gtk::MESSAGE_QUESTION, Gtk::BUTTONS_NONE, true);
    if (auto* window = dynamic_cast<Gtk::Window*>(owner.get_toplevel()); window && window->get_is_toplevel())
        box.set_transient_for(*window);
    box.set_title(title);
    box.add_button("_Cancel", Gtk::RESPONSE_CANCEL);
    box.add_button(goOn, Gtk::RESPONSE_OK);
    box.set_default_response(Gtk::RESPONSE_CANCEL);
    return box.run() == Gtk::RESPONSE_OK;
}

} // namespace

std::string KeepLoginsApartQuestion(int number, int pages)
{
    const std::string reload = pages == 1 ? "Its page reloads" : "Its " + std::to_string(pages) + " pages reload";
    return "Profile " + std::to_string(number) + " will keep its own logins. " + reload +
           " and you may need to sign in again. Continue?";
}

bool AskKeepLoginsApart(Gtk::Widget& owner, int number, int pages)
{
    return Ask(owner, kKeepLoginsApartTitle, KeepLoginsApartQuestion(number, pages), "C_ontinue");
}

std::string ForgetProfileSiteDataQuestion(const std::string& profileName)
{
    return "Forget the site data of " + profileName +
           "? Its logins, cookies, stored site data and cache are removed. Nothing else is touched.";
}

std::string ForgetSharedSiteDataQuestion()
{
    return "Forget the shared site data? The logins, cookies, stored site data and cache of every profile that "
           "does not keep its logins apart are removed. Profiles that keep their logins apart keep theirs.";
}

bool AskForgetSiteData(Gtk::Widget& owner, const std::string& question)
{
    return Ask(owner, kForgetSiteDataTitle, question, "_Forget");
}

} // namespace profiles
