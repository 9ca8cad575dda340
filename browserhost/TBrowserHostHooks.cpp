// TBrowserHost's optional machinery: the loaded step with its window hooks
// and user-agent token, the shell's DDE names, and help files.
#include "TBrowserHost.h"

#include "BrowserInterfaceIds.h"
#include "BrowserUserAgentToken.h"
#include "DdeShellNames.h"
#include "WebKitKeys.h"

#include <gio/gio.h>
#include <gtkmm/dialog.h>
#include <gtkmm/window.h>

using namespace platform;

namespace {

// The shell's DDE names, shared by every host and re-read by each construction.
DdeShellNames& ModuleDdeNames()
{
    static DdeShellNames names;
    return names;
}

} // namespace

void TBrowserHost::ReadShellDdeNames()
{
    try {
        ModuleDdeNames() = ReadDdeShellNames();
    } catch (...) {
        // A failure here never stops a host from being built.
    }
}

// Shell requests reach a host only through the in-process DDE layer, which
// answers nothing while EnableDDE is false; this program leaves it false.
void TBrowserHost::CreateShellRequestWindow() {}
void TBrowserHost::DestroyShellRequestWindow() {}

void TBrowserHost::Loaded()
{
    FDownloadControlFlags = DownloadControlFlagWord(FDownloadOptions);
    FHostUIFlags = UserInterfaceFlagWord(FUserInterfaceOptions);
    HookOwnerWindow();
    if (!FOwnKeyHook.connected())
        FOwnKeyHook = signal_key_press_event().connect([this](GdkEventKey* event) { return OwnKeyHook(event); },
                                                       false);
    RegisterUserAgentToken(UserAgent);
    FUserAgentRegistered = true;
}

void TBrowserHost::HookOwnerWindow()
{
    auto* owner = dynamic_cast<Gtk::Window*>(get_toplevel());
    if (!owner || !owner->get_realized() || FOwnerActiveHook.connected())
        return;
    FHookedOwner = owner;
    FOwnerActiveHook = owner->property_is_active().signal_changed().connect([this] {
        if (FHookedOwner && !FHookedOwner->is_active())
            OwnerDeactivated();
    });
}

void TBrowserHost::UndoOwnerWindowHook()
{
    FOwnerActiveHook.disconnect();
    FOwnKeyHook.disconnect();
    FHookedOwner = nullptr;
}

// The owner lost the activation: the window that took it may be a dialog box.
void TBrowserHost::OwnerDeactivated()
{
    for (Gtk::Window* window : Gtk::Window::list_toplevels()) {
        if (window == FHookedOwner || !window->is_active())
            continue;
        if (ReplaceCaption && dynamic_cast<Gtk::Dialog*>(window)) {
            if (FHookedOwner)
                window->set_icon_list(FHookedOwner->get_icon_list());
            window->set_title(ReplacedDialogCaption(window->get_title(), Glib::get_application_name()));
        }
        if (OnShowDialog)
            OnShowDialog(this, window->gobj());
    }
}

std::string TBrowserHost::ReplacedDialogCaption(const std::string& caption, const std::string& applicationTitle)
{
    std::string text = caption;
    if (auto at = text.find("Microsoft "); at != std::string::npos)
        text.erase(at, 10);
    if (auto at = text.find("Internet Explorer"); at != std::string::npos)
        text.replace(at, 17, applicationTitle);
    return text;
}

bool TBrowserHost::IsKeyLeftAlone(const Msg& msg)
{
    const bool extended = (msg.lParam & 0x01000000) != 0;
    return msg.wParam == 8 || msg.wParam == 13 || ((msg.wParam == 37 || msg.wParam == 39) && extended);
}

// Keys reaching the host go to the control's TranslateAccelerator first.
bool TBrowserHost::OwnKeyHook(GdkEventKey* event)
{
    Msg msg = KeyMessageFor(event, gobj());
    if (msg.wParam == 0 || IsKeyLeftAlone(msg))
        return false;
    msg.pt = {0x115D, static_cast<std::int32_t>(0xE1F1)};
    auto active = QueryInterfacePtr<IOleInPlaceActiveObject>(Application(), IID_IOleInPlaceActiveObject);
    return active && active->TranslateAccelerator(&msg) == S_OK;
}

void TBrowserHost::RemoveUserAgentToken()
{
    try {
        platform::RemoveUserAgentToken(UserAgent);
    } catch (...) {
        // The store may be gone at exit; the token then stays, as any failed removal would.
    }
}

// Shows a help file with the desktop's default handler; failures show nothing.
void TBrowserHost::ShowHelpFile(const std::string& helpFile, std::uint32_t, std::uint32_t)
{
    GFile* file = g_file_new_for_path(helpFile.c_str());
    char* uri = g_file_get_uri(file);
    g_app_info_launch_default_for_uri(uri, nullptr, nullptr);
    g_free(uri);
    g_object_unref(file);
}
