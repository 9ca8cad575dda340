// TBrowserHost's optional machinery: the loaded step, the owner-window hook
// (dialog captions, OnShowDialog), the own-window hook (keys offered to the
// control, OnCloseQuery, DDE execute and terminate), the user-agent token and
// help files.
#include "TBrowserHost.h"

#include "BrowserInterfaceIds.h"
#include "BrowserUserAgentToken.h"
#include "ErrorReport.h"
#include "KeyMessage.h"

#include <gio/gio.h>
#include <gtkmm/window.h>

using namespace platform;

namespace {

// The point both coordinates of a forwarded key message carry.
constexpr std::int32_t kForwardedKeyPoint = 0x115DE1F1;

// The program's icon: the default icon list every window gets, or the owner's.
std::vector<Glib::RefPtr<Gdk::Pixbuf>> ProgramIcons(GtkWindow* owner)
{
    auto icons = Gtk::Window::get_default_icon_list();
    if (icons.empty() && owner)
        icons = Glib::wrap(owner)->get_icon_list();
    return icons;
}

} // namespace

void TBrowserHost::Loaded()
{
    FSecurityManager = std::make_unique<InternetSecurityManager>(static_cast<IServiceProvider*>(this));
    FZoneManager = std::make_unique<InternetZoneManager>(static_cast<IServiceProvider*>(this));
    FDownloadControlFlags = DownloadControlFlagWord(FDownloadOptions);
    FHostUIFlags = UserInterfaceFlagWord(FUserInterfaceOptions);
    HookOwnerWindow();
    if (!FOwnKeyHook.connected())
        FOwnKeyHook = signal_key_press_event().connect([this](GdkEventKey* event) { return OwnKeyHook(event); },
                                                       false);
    FOwnWindowHooked = true;
    RegisterUserAgentToken(UserAgent);
    FUserAgentRegistered = true;
}

// The owner is the host's toplevel window, once it has a window of its own.
void TBrowserHost::HookOwnerWindow()
{
    auto* owner = dynamic_cast<Gtk::Window*>(get_toplevel());
    if (!owner || !owner->get_realized() || (FOwnerHook && FOwnerHook->Owner()))
        return;
    FOwnerHook = std::make_unique<OwnerActivationHook>(owner->gobj(), [this](GtkWindow* taker) {
        RunGuarded([&] { OwnerDeactivated(taker); });
    });
}

void TBrowserHost::UndoOwnerWindowHook()
{
    FOwnerHook.reset(); // disconnects from the owner if it still exists
    FOwnKeyHook.disconnect();
}

// A window took the activation from the owner: a dialog box gets the program's
// caption and icon, and every such window is reported.
void TBrowserHost::OwnerDeactivated(GtkWindow* taker)
{
    if (ReplaceCaption && gtk_window_get_type_hint(taker) == GDK_WINDOW_TYPE_HINT_DIALOG) {
        Gtk::Window* dialog = Glib::wrap(taker);
        dialog->set_icon_list(ProgramIcons(FOwnerHook ? FOwnerHook->Owner() : nullptr));
        dialog->set_title(ReplacedDialogCaption(dialog->get_title(), Glib::get_application_name()));
    }
    if (OnShowDialog)
        OnShowDialog(this, taker);
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

// Keys reaching the host go to the control's TranslateAccelerator first; a
// translated key goes no further.
bool TBrowserHost::OwnKeyHook(GdkEventKey* event)
{
    Msg msg = KeyMessageFor(event, gobj());
    if (msg.wParam == 0 || IsKeyLeftAlone(msg))
        return false;
    msg.pt = {kForwardedKeyPoint, kForwardedKeyPoint};
    auto active = QueryInterfacePtr<IOleInPlaceActiveObject>(Application(), IID_IOleInPlaceActiveObject);
    return active && active->TranslateAccelerator(&msg) == S_OK;
}

bool TBrowserHost::RequestClose()
{
    DdeRouter::Program().Send(OwnWindow(), WM_CLOSE, 0, 0);
    return !get_visible();
}

std::intptr_t TBrowserHost::OwnWindowProcedure(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam)
{
    return FOwnWindowHooked ? OwnWindowHook(message, wParam, lParam)
                            : DefaultOwnWindowProcedure(message, wParam, lParam);
}

std::intptr_t TBrowserHost::OwnWindowHook(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam)
{
    switch (message) {
    case WM_CLOSE: {
        bool CanClose = true;
        if (OnCloseQuery)
            OnCloseQuery(this, CanClose);
        return CanClose ? DefaultOwnWindowProcedure(message, wParam, lParam) : 0;
    }
    case WM_DDE_TERMINATE:
        DdeRouter::Program().Post(static_cast<DdeWindow>(wParam), WM_DDE_TERMINATE, OwnWindow(), 0);
        return 0;
    case WM_DDE_EXECUTE:
        ExecuteShellCommand(static_cast<DdeWindow>(wParam), lParam);
        return 0;
    default:
        return DefaultOwnWindowProcedure(message, wParam, lParam);
    }
}

// The host's window closing takes the host off the screen.
std::intptr_t TBrowserHost::DefaultOwnWindowProcedure(std::uint32_t message, std::uintptr_t, std::intptr_t)
{
    if (message == WM_CLOSE)
        hide();
    return 0;
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
