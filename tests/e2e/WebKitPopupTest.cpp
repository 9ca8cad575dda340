// Windows that pages open on the real engine: how many a page may open, what
// such a window shows and how it closes, and a window that becomes a page of
// the program and leaves nothing behind.
#include "BrowserEngineFixture.h"

#include "ScopedShellOpener.h"

#include <gtk/gtk.h>

#include <algorithm>

using namespace platform;

namespace {

// Twenty windows asked for by the page's script as it loads, then twenty more
// from each click; the title counts the clicks once each loop is over.
constexpr const char* kFloodPage =
    "<html><head><title>loading</title></head><body style='margin:0'>"
    "<div id='area' style='height:100vh'>area</div><script>"
    "for (var i = 0; i < 20; ++i) window.open('/unasked.html', '', 'width=200,height=150');"
    "var clicks = 0;"
    "document.getElementById('area').addEventListener('click', function () {"
    "  ++clicks;"
    "  for (var i = 0; i < 20; ++i) window.open('/clicked.html?' + clicks + '-' + i, '', 'width=200,height=150');"
    "  document.title = 'clicked ' + clicks;"
    "});"
    "document.title = 'loaded';"
    "</script></body></html>";

constexpr const char* kOpenerPage =
    "<html><body style='margin:0'><a href='#' style='display:block;height:100vh' "
    "onclick=\"window.open('/opened.html', '', 'width=320,height=240'); return false;\">open</a></body></html>";
constexpr const char* kOpenedPage = "<html><head><title>opened</title></head><body>opened</body></html>";

class WebKitPopupTest : public testing::Test {
protected:
    WebKitPopupTest()
    {
        f.Host().OnNewWindow2 = [this](TBrowserControl*, DispatchPtr&, WordBool&, const std::string& bstrUrl) {
            newWindowURLs.push_back(bstrUrl);
        };
    }

    // The window showing the host's page, given the focus as a user would.
    GtkWindow* PresentOpener()
    {
        GtkWindow* window = GTK_WINDOW(gtk_widget_get_toplevel(GTK_WIDGET(f.Host().gobj())));
        gtk_window_present(window);
        EXPECT_TRUE(f.WaitFor([&] { return gtk_window_is_active(window) != FALSE; }, 10)) << "no focus";
        return window;
    }
    // Shows the opener page and clicks its link as a user does; the address of
    // the window the link opens.
    std::string ClickToOpen(const char* openedPage = kOpenedPage)
    {
        f.Server().AddPage("/opener.html", kOpenerPage);
        f.Server().AddPage("/opened.html", openedPage);
        EXPECT_TRUE(f.NavigateAndWait(f.Server().Url("/opener.html")));
        opener = PresentOpener();
        GtkWidget* view = FindEngineView(GTK_WIDGET(f.Host().gobj()));
        EXPECT_TRUE(view && ClickAt(view, 40, 40)) << "xdotool is missing (scripts/install-deps.sh)";
        return f.Server().Url("/opened.html");
    }
    // The shown window a page opened that match accepts, once there is one.
    GtkWindow* WaitForWindow(const std::function<bool(GtkWindow*)>& match)
    {
        GtkWindow* found = nullptr;
        f.WaitFor([&] {
            for (GtkWindow* window : EngineWindowsBesides(opener))
                if (gtk_widget_get_visible(GTK_WIDGET(window)) && match(window))
                    found = window;
            return found != nullptr;
        });
        return found;
    }

    std::vector<std::string> openAsPage;
    BrowserEngineFixture f{EngineKind::WebKit, [this](const std::string& url) { openAsPage.push_back(url); }};
    std::vector<std::string> newWindowURLs;
    GtkWindow* opener = nullptr;
};

} // namespace

TEST_F(WebKitPopupTest, APageOpensOneWindowPerUserGestureAndNoneByItself)
{
    f.Server().AddPage("/flood.html", kFloodPage);
    ASSERT_TRUE(f.NavigateAndWait(f.Server().Url("/flood.html")));
    // The title changes after the load's loop has asked for every window.
    ASSERT_TRUE(f.WaitFor([&] { return f.Title() == "loaded"; }, 20)) << "the page's script did not run";
    opener = PresentOpener();
    EXPECT_EQ(EngineWindowsBesides(opener).size(), 0u) << "windows opened without a user gesture";

    GtkWidget* view = FindEngineView(GTK_WIDGET(f.Host().gobj()));
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(ClickAt(view, 40, 40)) << "xdotool is missing (scripts/install-deps.sh)";
    ASSERT_TRUE(f.WaitFor([&] { return f.Title() == "clicked 1"; }, 20)) << "the click did not reach the page";
    const std::vector<GtkWindow*> first = EngineWindowsBesides(opener);
    EXPECT_EQ(first.size(), 1u) << "one click opened " << first.size() << " windows";
    EXPECT_EQ(newWindowURLs.size(), 1u) << "the host heard of refused windows";
    ASSERT_FALSE(first.empty());
    ASSERT_TRUE(f.WaitFor([&] { return gtk_widget_get_visible(GTK_WIDGET(first.front())) != FALSE; }, 20));

    // A second click is a gesture of its own and opens one more.
    PresentOpener();
    ASSERT_TRUE(ClickAt(view, 40, 40));
    ASSERT_TRUE(f.WaitFor([&] { return f.Title() == "clicked 2"; }, 20)) << "the second click did not reach the page";
    EXPECT_EQ(EngineWindowsBesides(opener).size(), 2u);
    EXPECT_FALSE(f.Server().WasRequested("/unasked.html"));
    for (GtkWindow* window : EngineWindowsBesides(opener))
        gtk_widget_hide(GTK_WIDGET(window));
}

TEST_F(WebKitPopupTest, AWindowAPageOpenedBecomesAPageWhenTheUserAsksAndCloses)
{
    const std::string address = ClickToOpen();
    GtkWindow* popup = WaitForWindow([](GtkWindow* w) { return g_strcmp0(gtk_window_get_title(w), "opened") == 0; });
    ASSERT_NE(popup, nullptr) << "no window showing " << address;
    ASSERT_TRUE(f.Server().WasRequested("/opened.html"));
    WidgetWatch watch; // the window and all in it, the engine's inner widgets included
    watch.Add(GTK_WIDGET(popup));

    GtkWidget* button = FindWidget(GTK_WIDGET(popup), [](GtkWidget* w) {
        return GTK_IS_BUTTON(w) && g_strcmp0(gtk_button_get_label(GTK_BUTTON(w)), "Open as _Page") == 0;
    });
    ASSERT_NE(button, nullptr) << "the window offers no way to become a page";
    EXPECT_TRUE(openAsPage.empty());
    gtk_window_present(popup);
    ASSERT_TRUE(f.WaitFor([&] { return gtk_window_is_active(popup) != FALSE; }, 10));
    ASSERT_TRUE(ClickAt(button, 5, 5));
    ASSERT_TRUE(f.WaitFor([&] { return !openAsPage.empty(); }, 10)) << "the click on the button went nowhere";
    EXPECT_EQ(openAsPage, std::vector<std::string>{address});
    EXPECT_TRUE(f.WaitFor([&] {
        const auto windows = EngineWindowsBesides(opener);
        return std::find(windows.begin(), windows.end(), popup) == windows.end() ||
               !gtk_widget_get_visible(GTK_WIDGET(popup));
    }, 10)) << "the window stayed open after it became a page";
    f.WaitFor([&] { return watch.Alive().empty(); });
    EXPECT_EQ(watch.Alive(), std::vector<std::string>{}) << "widgets of the closed window, of " << watch.Count();
}

TEST_F(WebKitPopupTest, APopUpWindowShowsItsAddressTakesTheAskedSizeAndClosesWithCtrlW)
{
    const std::string address = ClickToOpen();
    GtkEntry* shown = nullptr;
    GtkWindow* popup = WaitForWindow([&](GtkWindow* window) {
        GtkWidget* entry = FindWidget(GTK_WIDGET(window), [](GtkWidget* w) { return GTK_IS_ENTRY(w); });
        shown = entry ? GTK_ENTRY(entry) : nullptr;
        return shown && address == gtk_entry_get_text(shown);
    });
    ASSERT_NE(popup, nullptr) << "no window showing " << address;
    EXPECT_FALSE(gtk_editable_get_editable(GTK_EDITABLE(shown))) << "the address of a pop-up can be edited";
    int width = 0, height = 0;
    gtk_window_get_default_size(popup, &width, &height);
    EXPECT_EQ(width, 320);
    EXPECT_GE(height, 240) << "the asked height was not honoured";

    gtk_window_present(popup);
    ASSERT_TRUE(f.WaitFor([&] { return gtk_window_is_active(popup) != FALSE; }, 10));
    EXPECT_TRUE(gtk_widget_is_focus(FindEngineView(GTK_WIDGET(popup))))
        << "the keyboard goes to " << G_OBJECT_TYPE_NAME(gtk_window_get_focus(popup)) << ", not the page";
    ASSERT_EQ(std::system("xdotool key ctrl+w"), 0);
    EXPECT_TRUE(f.WaitFor([&] {
        GList* windows = gtk_window_list_toplevels();
        const bool open = g_list_find(windows, popup) && gtk_widget_get_visible(GTK_WIDGET(popup));
        g_list_free(windows);
        return !open;
    }, 10)) << "Ctrl+W left the pop-up open";
}

// A window whose page tries to start another program and to move on by itself.
TEST_F(WebKitPopupTest, AWindowsNavigationsGoThroughThePagesPolicyAndTheHostHearsOfItWithItsAddress)
{
    ScopedShellOpener shell;
    std::vector<std::string> asked;
    const std::string refused = f.Server().Url("/refused.html");
    f.Host().OnBeforeNavigate2 = [&](TBrowserControl*, const DispatchPtr& pDisp, Variant& URL, Variant&, Variant&,
                                     Variant&, Variant&, WordBool& Cancel) {
        if (pDisp == f.Host().Application())
            return; // the page's own
        asked.push_back(URL.AsText());
        Cancel = URL.AsText() == refused;
    };
    const std::string address = ClickToOpen("<html><body><a id='m' href='mailto:someone@example.com'>m</a><script>"
                                            "document.getElementById('m').click(); location.href = '/refused.html';"
                                            "</script></body></html>");
    ASSERT_TRUE(f.WaitFor([&] { return std::find(asked.begin(), asked.end(), refused) != asked.end(); }, 20))
        << "the window's own navigation was not put to the host; it heard " << testing::PrintToString(asked);
    EXPECT_EQ(asked.front(), address) << "the window's first load was not put to the host";
    EXPECT_EQ(newWindowURLs, std::vector<std::string>{address});
    f.Server().AddPage("/later.html", "<title>later</title>");
    ASSERT_TRUE(f.CompleteInSecondView(f.Server().Url("/later.html")));
    EXPECT_FALSE(f.Server().WasRequested("/refused.html")) << "the window loaded what the host refused";
    EXPECT_TRUE(shell.opened.empty()) << "the window's script started another program";
}
