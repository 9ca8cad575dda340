// A host may close its page from inside any event the page raises, with its
// first load still queued or a download still asking where to save: nothing
// runs on the released page afterwards (the sanitizer build checks the memory)
// and the engine runs no main loop of its own inside its callbacks.
#include "BrowserEngineFixture.h"
#include "WidgetSearch.h"

using namespace platform;

namespace {

// A page of its own in a window of its own, that a handler can close at once.
struct OwnPage {
    OwnPage()
    {
        host = std::make_unique<TBrowserHost>();
        host->SetVisible(true);
        window.set_default_size(400, 300);
        window.add(*host);
        window.show_all();
    }
    void Close()
    {
        if (!host)
            return;
        window.remove();
        host.reset();
    }
    Gtk::Window window;
    std::unique_ptr<TBrowserHost> host;
};

// Sets a page's handler of one event to closeNow, whatever the event carries.
using Arm = std::function<void(TBrowserHost&, std::function<void()> closeNow)>;

template <typename Handler, typename Owner>
Arm Closing(Handler Owner::*handler)
{
    return [handler](TBrowserHost& host, std::function<void()> closeNow) {
        host.*handler = [closeNow](auto&&...) { closeNow(); };
    };
}

struct CloseCase {
    std::string event;
    std::string path; // on the local server, or "closed-port"
    Arm arm;
};

Gtk::FileChooserDialog* VisibleSaveDialog()
{
    return FindVisibleWindowOf<Gtk::FileChooserDialog>();
}

class WebKitCloseInCallbackTest : public testing::Test {
protected:
    BrowserEngineFixture f{EngineKind::WebKit};
};

} // namespace

TEST_F(WebKitCloseInCallbackTest, TheHostClosesThePageFromInsideEachOfItsEvents)
{
    f.Server().AddPage("/page.html", "<html><head><title>page</title></head><body>text</body></html>");
    f.Server().AddPage("/file.bin", std::string(4096, 'x'), "application/octet-stream");
    f.Server().AddPage("/closes.html", "<html><body><script>window.close();</script></body></html>");
    // Each case arms one handler of a fresh page.
    const std::vector<CloseCase> cases = {
        {"BeforeNavigate2", "/page.html", Closing(&TBrowserHost::OnBeforeNavigate2)},
        {"DownloadBegin", "/page.html", Closing(&TBrowserHost::OnDownloadBegin)},
        {"NavigateComplete2", "/page.html", Closing(&TBrowserHost::OnNavigateComplete2)},
        {"TitleChange", "/page.html", Closing(&TBrowserHost::OnTitleChange)},
        {"ProgressChange", "/page.html", Closing(&TBrowserHost::OnProgressChange)},
        {"CommandStateChange", "/page.html", Closing(&TBrowserHost::OnCommandStateChange)},
        {"SetSecureLockIcon", "/page.html", Closing(&TBrowserHost::OnSetSecureLockIcon)},
        {"DownloadComplete", "/page.html", Closing(&TBrowserHost::OnDownloadComplete)},
        {"DocumentComplete", "/page.html", Closing(&TBrowserHost::OnDocumentComplete)},
        {"NavigateError", "/missing.html", Closing(&TBrowserHost::OnNavigateError)},
        {"NavigateError", "closed-port", Closing(&TBrowserHost::OnNavigateError)},
        {"FileDownload", "/file.bin", Closing(&TBrowserHost::OnFileDownload)},
        {"WindowClosing", "/closes.html", Closing(&TBrowserHost::OnWindowClosing)},
    };
    for (const auto& [event, path, arm] : cases) {
        SCOPED_TRACE(event + " " + path);
        OwnPage page;
        bool closed = false;
        // The handler that runs this is the page's own and goes with it: note
        // the close first, touch nothing of the handler after it.
        std::function<void()> closeNow = [&] {
            closed = true;
            page.Close();
        };
        arm(*page.host, closeNow);
        const bool refused = path == "closed-port";
        Navigate(*page.host, refused ? LocalHttpServer::ClosedPortUrl("/refused.html") : f.Server().Url(path));
        EXPECT_TRUE(f.WaitFor([&] { return closed; }, 20)) << "the event never came";
    }
    // The engine goes on showing other pages.
    ASSERT_TRUE(f.NavigateAndWait(f.Server().Url("/page.html")));
}

TEST_F(WebKitCloseInCallbackTest, ClosingWithTheFirstLoadQueuedLeavesTheQueueMovingOn)
{
    f.Server().AddPage("/page.html", "<html><head><title>page</title></head><body>text</body></html>");
    {
        OwnPage page;
        Navigate(*page.host, f.Server().Url("/page.html?queued"));
        page.Close();
    }
    OwnPage next;
    bool complete = false;
    next.host->OnDocumentComplete = [&](auto&&...) { complete = true; };
    Navigate(*next.host, f.Server().Url("/page.html?next"));
    EXPECT_TRUE(f.WaitFor([&] { return complete; })) << "the next page's first load never ran";
}

TEST_F(WebKitCloseInCallbackTest, TheSaveChoiceOfADownloadRunsNoLoopOfItsOwnAndOutlivesItsPage)
{
    f.Server().AddPage("/file.bin", std::string(100000, 'd'), "application/octet-stream");
    auto page = std::make_unique<OwnPage>();
    int depthWhenAsked = 0;
    bool asked = false;
    // Closes the page while the save choice is open, then declines it.
    sigc::connection watch = Glib::signal_timeout().connect(
        [&] {
            Gtk::FileChooserDialog* dialog = VisibleSaveDialog();
            if (!dialog || asked)
                return true;
            asked = true;
            depthWhenAsked = g_main_depth();
            page->Close();
            dialog->response(Gtk::RESPONSE_CANCEL);
            return true;
        },
        10);
    Navigate(*page->host, f.Server().Url("/file.bin"));
    const bool gone = f.WaitFor([&] { return asked && !VisibleSaveDialog(); }, 30);
    watch.disconnect();

    ASSERT_TRUE(asked) << "no save choice was shown";
    EXPECT_EQ(depthWhenAsked, 1) << "the save choice ran a main loop inside the engine's signal";
    EXPECT_TRUE(gone) << "the save choice stayed after it was answered";
    // The engine goes on showing other pages.
    f.Server().AddPage("/page.html", "<title>page</title>");
    EXPECT_TRUE(f.NavigateAndWait(f.Server().Url("/page.html")));
}
