#include "OwnerDialogHook.h"

#include "ErrorReport.h"

#include <gtkmm/window.h>

namespace platform {
namespace {

// The program's icon: the default icon list every window gets, or the owner's.
std::vector<Glib::RefPtr<Gdk::Pixbuf>> ProgramIcons(GtkWindow* owner)
{
    auto icons = Gtk::Window::get_default_icon_list();
    if (icons.empty() && owner)
        icons = Glib::wrap(owner)->get_icon_list();
    return icons;
}

} // namespace

OwnerDialogHook::OwnerDialogHook(HostOptionsSite& site) : site_(site)
{
    auto* owner = dynamic_cast<Gtk::Window*>(site_.HostWidget().get_toplevel());
    if (!owner || !owner->get_realized())
        return;
    hook_ = std::make_unique<OwnerActivationHook>(owner->gobj(), [this](GtkWindow* taker) {
        RunGuarded([&] { OwnerDeactivated(taker); });
    });
}

void OwnerDialogHook::OwnerDeactivated(GtkWindow* taker)
{
    if (site_.ReplaceCaption() && gtk_window_get_type_hint(taker) == GDK_WINDOW_TYPE_HINT_DIALOG) {
        Gtk::Window* dialog = Glib::wrap(taker);
        dialog->set_icon_list(ProgramIcons(hook_->Owner()));
        dialog->set_title(ReplacedDialogCaption(dialog->get_title(), Glib::get_application_name()));
    }
    site_.DialogShown(taker);
}

std::string OwnerDialogHook::ReplacedDialogCaption(const std::string& caption, const std::string& applicationTitle)
{
    std::string text = caption;
    if (auto at = text.find("Microsoft "); at != std::string::npos)
        text.erase(at, 10);
    if (auto at = text.find("Internet Explorer"); at != std::string::npos)
        text.replace(at, 17, applicationTitle);
    return text;
}

} // namespace platform
