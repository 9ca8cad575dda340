#pragma once
// TBrowserHost: the browser control of one page. A TBrowserControl (a Gtk
// widget: put it into a Gtk::Notebook page) that is also the control's
// document host. It answers the control's host questions through five parts,
// one per host interface, each with its handler fields (On...) and the fixed
// default answer given when a field is empty:
//   HostCommandTarget      refresh, script-error and unload commands
//   HostServiceProvider    services
//   HostAmbientProperties  DownloadOptions, the download-control property
//   HostUIHandler          UserInterfaceOptions, context menu, keys, URLs ...
//   HostShowUI             message boxes and help (HelpFile)
// A host nobody customises lets the control show its own menus, boxes and
// dialogs.
//
// Its optional machinery (hostoptions/HostOptions.h: its own and its
// shell-request window, DDE, the owner-window and key hooks, the user-agent
// token, print options, floating-point exceptions) is built only when it is
// switched on: by Loaded(), by setting EnableDDE, or by PrintOptions(),
// SetfpExceptions() or Options().
//
//   TBrowserHost host;                      // creates the control
//   host.OnBeforeNavigate2 = ...;           // events: see TBrowserControl.h
//   Variant url("http://127.0.0.1/"), none1, none2, none3, none4;
//   host.Navigate2(url, none1, none2, none3, none4);
#include "HostAmbientProperties.h"
#include "HostCommandTarget.h"
#include "HostServiceProvider.h"
#include "HostShowUI.h"
#include "HostSwitch.h"
#include "HostUIHandler.h"
#include "TBrowserControl.h"

#include <memory>
#include <string>

class TPrintOptions;
namespace platform {
class HostOptions;
}

using TCloseQueryEvent = std::function<void(TBrowserControl* Sender, bool& CanClose)>;
using TShowDialogEvent = std::function<void(TBrowserControl* Sender, platform::WindowHandle h)>;

class TBrowserHost : public TBrowserControl,
                     public HostCommandTarget,
                     public HostServiceProvider,
                     public HostAmbientProperties,
                     public HostUIHandler,
                     public HostShowUI {
public:
    // Creates the control, whose pages use siteData; DownloadOptions
    // DLCTL_DLIMAGES, DLCTL_VIDEOS, DLCTL_BGSOUNDS and empty
    // UserInterfaceOptions reach it at once.
    explicit TBrowserHost(const platform::SiteData& siteData = platform::SiteData::Shared());
    ~TBrowserHost() override;

    // --- the optional machinery's published properties ---
    TCloseQueryEvent OnCloseQuery;
    TShowDialogEvent OnShowDialog;
    // "<HTML></HTML>" as HTMLHeader, empty texts, zero margins, portrait.
    TPrintOptions& PrintOptions();
    void SetPrintOptions(const TPrintOptions& value);
    std::string UserAgent;
    bool ReplaceCaption = false;
    HostSwitch EnableDDE{[this] { Options(); }};
    bool fpExceptions() const;
    // true: the floating-point environment saved at program start;
    // false: every floating-point exception masked.
    void SetfpExceptions(bool value);

    // The loaded step, for a host built from a stored description (after its
    // properties are set): hooks the owner window (dialog captions,
    // OnShowDialog), the own window (OnCloseQuery, DDE) and the key path to
    // the control, and registers UserAgent as a user-agent token until the
    // host is destroyed.
    void Loaded();
    // The optional machinery, built on first use.
    platform::HostOptions& Options();
    bool HasOptions() const { return FOptions != nullptr; }

    // --- client site: the host interfaces first, in this order, then the
    // generic host's ---
    platform::IUnknown* QueryInterface(const platform::Guid& iid) override;

private:
    class OptionsSite;
    std::unique_ptr<OptionsSite> FOptionsSite;
    std::unique_ptr<platform::HostOptions> FOptions;
};
