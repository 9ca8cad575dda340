// What only the real engine shows: download-control flags reaching the
// network, script dialogs reaching the host, Stop on a slow page, and a
// killed web process recovered by Refresh.
#include "BrowserEngineFixture.h"

#include "BrowserDispIds.h"
#include "BrowserPropertyBag.h"
#include "KeyEvents.h"
#include "MainLoop.h"
#include "ProcessTree.h"
#include "WebKitEngine.h"

#include <csignal>

using namespace platform;

namespace {

constexpr const char* kPng1x1 =
    "\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\1\0\0\0\1\x08\x06\0\0\0\x1f\x15\xc4\x89\0\0\0\rIDATx\x9c"
    "c\xf8\xff\xff?\0\x05\xfe\x02\xfe\xa7\x35\x81\x84\0\0\0\0IEND\xae\x42\x60\x82";

class WebKitEngineTest : public testing::Test {
protected:
    BrowserEngineFixture f{EngineKind::WebKit};
};

} // namespace

TEST_F(WebKitEngineTest, ImagesAreFetchedOnlyWhileTheHostAllowsThem)
{
    f.Server().AddPage("/pic.png", std::string(kPng1x1, 67), "image/png");
    f.Server().AddPage("/with-image.html", "<html><body><img src='/pic.png'></body></html>");
    ASSERT_TRUE(f.NavigateAndWait(f.Server().Url("/with-image.html")));
    EXPECT_TRUE(f.Server().WasRequested("/pic.png")) << "the default options download images";

    f.Host().SetDownloadOptions({TDownloadControlOption::DLCTL_VIDEOS, TDownloadControlOption::DLCTL_BGSOUNDS});
    EXPECT_EQ(f.Host().DownloadControlFlags(), 0x60u);
    f.Server().ClearLog();
    f.Server().AddPage("/other-image.html", "<html><body><img src='/pic.png?2'></body></html>");
    // The page completes only after its images: had one been fetched, it was by now.
    ASSERT_TRUE(f.NavigateAndWait(f.Server().Url("/other-image.html")));
    EXPECT_TRUE(f.Server().WasRequested("/other-image.html"));
    EXPECT_FALSE(f.Server().WasRequested("/pic.png")) << "DLCTL_DLIMAGES is off";
}

TEST_F(WebKitEngineTest, ScriptsDoNotRunWithNoScripts)
{
    f.Server().AddPage("/script.html", "<html><body><script>document.title = 'ran';</script></body></html>");
    f.Host().SetDownloadOptions({TDownloadControlOption::DLCTL_DLIMAGES, TDownloadControlOption::DLCTL_NO_SCRIPTS});
    // A script runs before its page completes, and the title it sets reaches
    // the host before the completion does.
    ASSERT_TRUE(f.NavigateAndWait(f.Server().Url("/script.html")));
    EXPECT_EQ(std::count(f.Titles().begin(), f.Titles().end(), "ran"), 0);

    f.Host().SetDownloadOptions({TDownloadControlOption::DLCTL_DLIMAGES});
    f.Host().Refresh();
    EXPECT_TRUE(f.WaitFor([&] { return std::count(f.Titles().begin(), f.Titles().end(), "ran") == 1; }));
}

TEST_F(WebKitEngineTest, AnAlertReachesOnShowMessageWhenAssigned)
{
    f.Server().AddPage("/alert.html", "<html><body><script>alert('hello from the page');"
                                      "document.title = confirm('sure?') ? 'yes' : 'no';</script></body></html>");
    std::vector<std::string> messages;
    std::vector<std::uint32_t> types;
    f.Host().OnShowMessage = [&](WindowHandle, const std::string& lpstrText, const std::string&, std::uint32_t dwType,
                                 const std::string&, std::uint32_t, std::int32_t& plResult) -> HRESULT {
        messages.push_back(lpstrText);
        types.push_back(dwType);
        plResult = IDOK;
        return S_OK;
    };
    ASSERT_TRUE(f.NavigateAndWait(f.Server().Url("/alert.html")));
    ASSERT_TRUE(f.WaitFor([&] { return f.Title() == "yes"; }));
    EXPECT_EQ(messages, (std::vector<std::string>{"hello from the page", "sure?"}));
    EXPECT_EQ(types, (std::vector<std::uint32_t>{MB_OK | MB_ICONWARNING, MB_OKCANCEL | MB_ICONQUESTION}));
}

TEST_F(WebKitEngineTest, StopEndsASlowLoadAndBusyFollowsTheView)
{
    f.Server().AddPage("/a.html", "<html><body>a</body></html>");
    f.Server().AddPage("/slow.html", "<html><body>slow</body></html>", "text/html", std::chrono::milliseconds(3000));
    f.Server().AddPage("/b.html", "<html><body>b</body></html>");
    const std::string a = f.Server().Url("/a.html");
    const std::string slow = f.Server().Url("/slow.html");
    ASSERT_TRUE(f.NavigateAndWait(a));
    EXPECT_FALSE(f.Host().Busy());
    Navigate(f.Host(), slow);
    ASSERT_TRUE(f.WaitFor([&] { return f.Server().WasRequested("/slow.html"); }));
    EXPECT_TRUE(f.Host().Busy());
    f.Host().Stop();
    ASSERT_TRUE(f.WaitFor([&] { return !f.Host().Busy(); }, 2));
    // Once the server has answered every request for the slow page, a load
    // that went on would complete before a second view's page does.
    ASSERT_TRUE(f.WaitFor([&] { return f.Server().WasAnswered("/slow.html"); }, 20));
    ASSERT_TRUE(f.CompleteInSecondView(f.Server().Url("/b.html")));
    EXPECT_EQ(f.CountEvents("DocumentComplete " + slow), 0u) << testing::PrintToString(f.Events());
    EXPECT_EQ(GetPropertyByName(*f.Host().Document(), "URL").AsText(), a);
}

TEST_F(WebKitEngineTest, AFailedLoadRaisesNavigateErrorAndShowsAnErrorPage)
{
    const std::string nowhere = LocalHttpServer::ClosedPortUrl("/");
    f.Server().AddPage("/a.html", "<html><body>a</body></html>");
    ASSERT_TRUE(f.NavigateAndWait(f.Server().Url("/a.html")));
    f.Host().OnNavigateError = [&](TBrowserControl*, const DispatchPtr&, Variant& URL, Variant&, Variant&,
                                   WordBool&) { f.Events().push_back("NavigateError " + URL.AsText()); };
    const std::size_t mark = f.Events().size();
    Navigate(f.Host(), nowhere);
    ASSERT_TRUE(f.WaitFor([&] { return f.Title() == "This page could not be loaded"; }));
    ASSERT_TRUE(f.WaitFor([&] { return !f.Host().Busy(); }));
    EXPECT_EQ(f.Host().LocationURL(), nowhere);
    // The error page completing would be heard before a second view's page completes.
    ASSERT_TRUE(f.CompleteInSecondView(f.Server().Url("/a.html")));
    EXPECT_EQ(std::vector<std::string>(f.Events().begin() + static_cast<std::ptrdiff_t>(mark), f.Events().end()),
              (std::vector<std::string>{"BeforeNavigate2 " + nowhere, "NavigateError " + nowhere}))
        << "the error page is no document at the failed address";
}

TEST_F(WebKitEngineTest, AKilledWebProcessShowsAsSuchAndRefreshRecoversIt)
{
    f.Server().AddPage("/a.html", "<html><head><title>A</title></head><body>a</body></html>");
    const std::string a = f.Server().Url("/a.html");
    ASSERT_TRUE(f.NavigateAndWait(a));
    const std::vector<int> processes = WebProcessesOf(getpid());
    ASSERT_FALSE(processes.empty()) << "no web process found below this test";
    for (int pid : processes)
        kill(pid, SIGKILL);
    ASSERT_TRUE(f.WaitFor([&] { return f.Title() == "This page stopped working"; }));
    ASSERT_TRUE(f.WaitFor([&] { return !f.Host().Busy(); }));
    EXPECT_EQ(f.Host().LocationURL(), a);
    f.Server().ClearLog();
    const std::size_t mark = f.Events().size();
    f.Host().Refresh();
    ASSERT_TRUE(f.WaitForDocumentComplete(a, mark));
    EXPECT_TRUE(f.Server().WasRequested("/a.html"));
    EXPECT_TRUE(f.WaitFor([&] { return f.Title() == "A"; }));
}

TEST_F(WebKitEngineTest, TheSandboxStateIsKnown)
{
    const WebKitSandboxState state = CurrentWebKitSandboxState();
    EXPECT_EQ(state.enabled, state.reason.empty());
    std::printf("web content sandbox: %s %s\n", state.enabled ? "on" : "off", state.reason.c_str());
    EXPECT_EQ(ProbeWebKitSandbox().enabled, state.enabled) << "the context took the probe's answer";

    // Where bubblewrap cannot be found the probe says so instead of failing quietly.
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", "/nonexistent", 1);
    const WebKitSandboxState without = ProbeWebKitSandbox();
    setenv("PATH", path.c_str(), 1);
    EXPECT_FALSE(without.enabled);
    EXPECT_NE(without.reason.find("bwrap"), std::string::npos) << without.reason;
}

TEST_F(WebKitEngineTest, ASilentControlShowsNoScriptDialogs)
{
    f.Server().AddPage("/silent.html", "<html><body><script>alert('unseen');"
                                       "document.title = confirm('sure?') ? 'yes' : 'no';</script></body></html>");
    f.Host().SetProperty(DISPID_SILENT, WordBool(true));
    EXPECT_TRUE(f.Host().GetProperty(DISPID_SILENT).AsBool());
    ASSERT_TRUE(f.NavigateAndWait(f.Server().Url("/silent.html")));
    EXPECT_TRUE(f.WaitFor([&] { return f.Title() == "no"; })) << "the alert passed and the question was declined";
}

TEST_F(WebKitEngineTest, AnHttpErrorIsANavigateErrorWithItsStatusAndCancellingItStopsTheLoad)
{
    std::vector<std::int32_t> statuses;
    bool cancel = false;
    f.Host().OnNavigateError = [&](TBrowserControl*, const DispatchPtr&, Variant&, Variant&, Variant& StatusCode,
                                   WordBool& Cancel) {
        statuses.push_back(StatusCode.AsInt32());
        Cancel = cancel;
    };
    const std::string missing = f.Server().Url("/missing.html");
    ASSERT_TRUE(f.NavigateAndWait(missing)) << "not cancelled: the server's page is shown";
    EXPECT_EQ(statuses, std::vector<std::int32_t>{404});
    cancel = true;
    const std::string again = f.Server().Url("/missing-again.html");
    const std::size_t mark = f.Events().size();
    Navigate(f.Host(), again);
    ASSERT_TRUE(f.WaitFor([&] { return statuses.size() == 2; }));
    ASSERT_TRUE(f.WaitFor([&] { return !f.Host().Busy(); }));
    // A later page completing is the barrier: the cancelled one would have come first.
    f.Host().OnNavigateError = nullptr;
    ASSERT_TRUE(f.NavigateAndWait(f.Server().Url("/missing-later.html")));
    EXPECT_EQ(std::count(f.Events().begin() + static_cast<std::ptrdiff_t>(mark), f.Events().end(),
                         "DocumentComplete " + again),
              0);
}

TEST_F(WebKitEngineTest, TranslateUrlSendsTheNavigationWhereTheHostSays)
{
    f.Server().AddPage("/old.html", "<html><body>old</body></html>");
    f.Server().AddPage("/new.html", "<html><body>new</body></html>");
    const std::string oldUrl = f.Server().Url("/old.html");
    const std::string newUrl = f.Server().Url("/new.html");
    f.Host().OnTranslateUrl = [&](std::uint32_t, const std::string& in, std::string& out) -> HRESULT {
        if (in != oldUrl)
            return S_FALSE;
        out = newUrl;
        return S_OK;
    };
    Navigate(f.Host(), oldUrl);
    ASSERT_TRUE(f.WaitForDocumentComplete(newUrl, 0));
    EXPECT_EQ(f.CountEvents("BeforeNavigate2 " + newUrl), 1u);
    EXPECT_EQ(f.CountEvents("BeforeNavigate2 " + oldUrl), 0u);
    EXPECT_FALSE(f.Server().WasRequested("/old.html"));
}

TEST_F(WebKitEngineTest, AScriptErrorReachesOnScriptErrorWithItsDetails)
{
    f.Server().AddPage("/error.html", "<html><body><script>\nundefinedFunction();\n</script></body></html>");
    std::vector<std::string> details;
    f.Host().OnScriptError = [&](TBrowserControl*, const std::string& ErrorLine, const std::string&,
                                 const std::string&, const std::string& ErrorMessage, const std::string& ErrorUrl,
                                 bool&, bool& Showdialog) {
        details = {ErrorLine, ErrorMessage, ErrorUrl};
        Showdialog = false;
    };
    const std::string url = f.Server().Url("/error.html");
    ASSERT_TRUE(f.NavigateAndWait(url));
    ASSERT_TRUE(f.WaitFor([&] { return !details.empty(); }));
    EXPECT_EQ(details[0], "2");
    EXPECT_NE(details[1].find("undefinedFunction"), std::string::npos) << details[1];
    EXPECT_EQ(details[2], url);
}

namespace {

void RightClick(GtkWidget* view)
{
    for (GdkEventType type : {GDK_BUTTON_PRESS, GDK_BUTTON_RELEASE}) {
        GdkEvent* event = NewButtonEvent(type, gtk_widget_get_window(view), 3, 40, 40);
        event->button.send_event = TRUE;
        gtk_main_do_event(event);
        gdk_event_free(event);
    }
}

} // namespace

TEST_F(WebKitEngineTest, ShowContextMenuOkSuppressesTheEnginesMenu)
{
    f.Server().AddPage("/menu.html", "<html><body style='height:100%'>right-click here</body></html>");
    std::vector<std::uint32_t> asked;
    f.Host().OnShowContextMenu = [&](std::uint32_t dwID, Point*, IUnknown*, IDispatch*) -> HRESULT {
        asked.push_back(dwID);
        return S_OK;
    };
    ASSERT_TRUE(f.NavigateAndWait(f.Server().Url("/menu.html")));
    GtkWidget* view = FindEngineView(GTK_WIDGET(f.Host().gobj()));
    ASSERT_NE(view, nullptr);
    // The clicks go to the view's own window, which it has once it is on screen.
    ASSERT_TRUE(f.WaitFor([&] { return gtk_widget_get_mapped(view) && gtk_widget_get_window(view); }, 10));
    RightClick(view);
    ASSERT_TRUE(f.WaitFor([&] { return !asked.empty(); }, 10));
    EXPECT_EQ(asked.front(), 0u) << "the default menu of a page";
    auto menuShown = [] {
        for (Gtk::Window* window : Gtk::Window::list_toplevels())
            if (window->get_type_hint() == Gdk::WINDOW_TYPE_HINT_POPUP_MENU && window->get_visible())
                return true;
        return false;
    };
    // The engine pops its menu up in the same dispatch that asked the host.
    RunPendingEvents();
    EXPECT_FALSE(menuShown());

    f.Host().OnShowContextMenu = [&](std::uint32_t dwID, Point*, IUnknown*, IDispatch*) -> HRESULT {
        asked.push_back(dwID);
        return S_FALSE;
    };
    RightClick(view);
    ASSERT_TRUE(f.WaitFor([&] { return asked.size() == 2; }, 10));
    EXPECT_TRUE(f.WaitFor(menuShown, 5)) << "S_FALSE: the engine shows its own menu";
    for (Gtk::Window* window : Gtk::Window::list_toplevels())
        if (window->get_type_hint() == Gdk::WINDOW_TYPE_HINT_POPUP_MENU)
            window->hide();
}
