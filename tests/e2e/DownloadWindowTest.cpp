// A slow download from the local server, as a user meets it: the save-as
// choice, then a progress window over the browser's window with the file's
// name, size, speed and time left, and Open and Show in Folder once done.
#include "BrowserEngineFixture.h"

#include "MainLoop.h"
#include "ModalAnswer.h"
#include "ScopedShellOpener.h"
#include "TempDir.h"
#include "WebKitEngine.h"

#include <fstream>
#include <sstream>

namespace {

// The texts of the window's shown labels, one a line.
std::string Texts(Gtk::Window& window)
{
    std::string all;
    for (Gtk::Label* label : Descendants<Gtk::Label>(window))
        if (label->get_visible())
            all += label->get_text() + "\n";
    return all;
}

Gtk::Button* VisibleButton(Gtk::Widget& root, const std::string& label)
{
    return FindDescendant<Gtk::Button>(root, [&](Gtk::Button& b) { return b.get_visible() && b.get_label() == label; });
}

// The slow file: 256 KiB in 8 KiB pieces every 100 ms, about 3 seconds.
std::string SlowBody()
{
    std::string body;
    for (int i = 0; body.size() < 256 * 1024; ++i)
        body += "line " + std::to_string(i) + " of the slow file\n";
    return body;
}

// Starts the slow download into folder, answering the save-as choice as a
// user would, and returns its progress window once shown.
Gtk::Window* StartSlowDownload(BrowserEngineFixture& f, const TempDir& folder)
{
    f.Server().AddDownload("/slow.bin", "slow report.txt", SlowBody(), 8 * 1024, std::chrono::milliseconds(100));
    ModalAnswer saveAs("Save File", [&](Gtk::Window& window) {
        auto& chooser = dynamic_cast<Gtk::FileChooserDialog&>(window);
        chooser.set_current_folder(folder.path().string());
        chooser.set_current_name("slow report.txt");
        // Save once the chooser has taken in the folder, as a user would.
        Glib::signal_timeout().connect_once([&chooser] { chooser.response(Gtk::RESPONSE_ACCEPT); }, 500);
    }, 30000);
    Navigate(f.Host(), f.Server().Url("/slow.bin"));
    Gtk::Window* progress = nullptr;
    EXPECT_TRUE(f.WaitFor([&] { return (progress = FindVisibleWindow("Download")) != nullptr; }));
    return progress;
}

// Six downloads the page starts by script as it loads, 100 ms apart, three
// more when the server says so (the page asks it every 50 ms).
constexpr const char* kDownloadingPage =
    "<html><head><title>loading</title></head><body><script>"
    "function download(from, count) { if (count === 0) return;"
    "  var a = document.createElement('a'); a.href = '/file.bin?' + from; a.download = 'file' + from + '.txt';"
    "  document.body.appendChild(a); a.click();"
    "  setTimeout(function () { download(from + 1, count - 1); }, 100); }"
    "download(0, 6);"
    "var poll = setInterval(function () { fetch('/trigger?' + Date.now(), {cache: 'no-store'})"
    "  .then(function (r) { return r.text(); }).then(function (t) {"
    "    if (t === 'go') { clearInterval(poll); download(6, 3); document.title = 'again'; } }); }, 50);"
    "</script></body></html>";

// Shows the page and waits until all six of its downloads wait for the user's answer.
Gtk::InfoBar* SixDownloadsWaiting(BrowserEngineFixture& f)
{
    f.Server().AddPage("/downloads.html", kDownloadingPage);
    f.Server().AddPage("/file.bin", "contents", "application/octet-stream");
    f.Server().AddPage("/trigger", "wait", "text/plain");
    EXPECT_TRUE(f.NavigateAndWait(f.Server().Url("/downloads.html")));
    Gtk::InfoBar* bar = nullptr;
    EXPECT_TRUE(f.WaitFor([&] { return (bar = ShownBar(f.Host(), "6 files are waiting.")) != nullptr; }, 20))
        << "the page's downloads did not wait for the user";
    EXPECT_TRUE(bar && ShownBar(*bar, "This page wants to download files"));
    EXPECT_TRUE(VisibleWindows("Save File").empty()) << "a download the page started by itself asked where to save";
    return bar;
}

// Answers count save-as choices, each the only one shown.
void DeclineSaveChoicesOneAtATime(BrowserEngineFixture& f, int count)
{
    for (int i = 0; i < count; ++i) {
        ASSERT_TRUE(f.WaitFor([] { return !VisibleWindows("Save File").empty(); }, 20)) << "no choice for download " << i;
        ASSERT_EQ(VisibleWindows("Save File").size(), 1u) << "save-as choices shown at once";
        dynamic_cast<Gtk::Dialog&>(*FindVisibleWindow("Save File")).response(Gtk::RESPONSE_CANCEL);
    }
    RunPendingEvents();
    EXPECT_TRUE(VisibleWindows("Save File").empty()) << "more save-as choices than downloads";
}

} // namespace

TEST(DownloadWindow, DownloadsAPageStartsByItselfWaitForTheUserAndThenAskOneAtATime)
{
    BrowserEngineFixture f(EngineKind::WebKit);
    Gtk::InfoBar* bar = SixDownloadsWaiting(f);
    ASSERT_NE(bar, nullptr);
    VisibleButton(*bar, "_Allow")->clicked();
    EXPECT_FALSE(bar->is_visible());
    DeclineSaveChoicesOneAtATime(f, 6);

    // Allowed for this page: its later downloads are not asked about again.
    f.Server().AddPage("/trigger", "go", "text/plain");
    DeclineSaveChoicesOneAtATime(f, 3);
    EXPECT_EQ(ShownBar(f.Host(), "This page wants to download files"), nullptr);
}

TEST(DownloadWindow, DownloadsOfAPageTheUserBlockedAreDroppedWithoutADialog)
{
    BrowserEngineFixture f(EngineKind::WebKit);
    Gtk::InfoBar* bar = SixDownloadsWaiting(f);
    ASSERT_NE(bar, nullptr);
    VisibleButton(*bar, "_Block")->clicked();
    RunPendingEvents();
    EXPECT_FALSE(bar->is_visible());
    EXPECT_TRUE(VisibleWindows("Save File").empty()) << "a blocked download asked where to save";

    f.Server().AddPage("/trigger", "go", "text/plain");
    ASSERT_TRUE(f.WaitFor([&] { return f.Title() == "again" && f.Server().WasAnswered("/file.bin"); }, 20));
    f.Server().AddPage("/later.html", "<title>later</title>");
    ASSERT_TRUE(f.CompleteInSecondView(f.Server().Url("/later.html")));
    EXPECT_TRUE(VisibleWindows("Save File").empty()) << "a later download of a blocked page asked where to save";
    EXPECT_EQ(ShownBar(f.Host(), "This page wants to download files"), nullptr) << "asked again after Block";
}

TEST(DownloadWindow, ASlowDownloadShowsItsFiguresOverItsWindowAndOffersOpenAndShowInFolder)
{
    BrowserEngineFixture f(EngineKind::WebKit);
    const std::string body = SlowBody();
    f.Server().AddDownload("/slow.bin", "slow report.txt", body, 8 * 1024, std::chrono::milliseconds(100));
    TempDir folder;
    ScopedShellOpener shell;

    // The save-as choice runs its own loop: it is answered from inside it.
    std::string suggested;
    Gtk::Window* chooserOwner = nullptr;
    ModalAnswer saveAs("Save File", [&](Gtk::Window& window) {
        auto& chooser = dynamic_cast<Gtk::FileChooserDialog&>(window);
        suggested = chooser.get_current_name();
        chooserOwner = chooser.get_transient_for();
        chooser.set_current_folder(folder.path().string());
        chooser.set_current_name("slow report.txt");
        // Save once the chooser has taken in the folder, as a user would.
        Glib::signal_timeout().connect_once([&chooser] { chooser.response(Gtk::RESPONSE_ACCEPT); }, 500);
    }, 30000);
    Navigate(f.Host(), f.Server().Url("/slow.bin"));
    ASSERT_TRUE(f.WaitFor([&] { return saveAs.Answered(); })) << "the save-as choice comes up";
    EXPECT_EQ(chooserOwner, f.Host().get_toplevel()) << "the save-as choice belongs to the window";
    EXPECT_EQ(suggested, "slow report.txt");

    Gtk::Window* progress = nullptr;
    ASSERT_TRUE(f.WaitFor([&] { return (progress = FindVisibleWindow("Download")) != nullptr; }));
    EXPECT_EQ(progress->get_transient_for(), f.Host().get_toplevel()) << "the window belongs to the browser's";
    EXPECT_EQ(f.Engine().RunningDownloads(), 1);

    // While it runs: name, size of the whole, speed and time left.
    ASSERT_TRUE(f.WaitFor([&] {
        const std::string texts = Texts(*progress);
        return texts.find("/s") != std::string::npos && texts.find("left") != std::string::npos;
    })) << Texts(*progress);
    const std::string running = Texts(*progress);
    EXPECT_NE(running.find("slow report.txt"), std::string::npos) << running;
    EXPECT_NE(running.find(" of 262.2\u00a0kB"), std::string::npos) << running;
    EXPECT_NE(VisibleButton(*progress, "_Cancel"), nullptr);
    EXPECT_EQ(VisibleButton(*progress, "_Open"), nullptr) << "nothing to open yet";

    // Placed over its window, not at a corner of the screen.
    int x = 0, y = 0, w = 0, h = 0, ownerX = 0, ownerY = 0, ownerW = 0, ownerH = 0;
    progress->get_window()->get_root_origin(x, y);
    progress->get_size(w, h);
    f.Host().get_toplevel()->get_window()->get_root_origin(ownerX, ownerY);
    static_cast<Gtk::Window*>(f.Host().get_toplevel())->get_size(ownerW, ownerH);
    EXPECT_GE(x + w / 2, ownerX);
    EXPECT_LE(x + w / 2, ownerX + ownerW);
    EXPECT_GE(y + h / 2, ownerY);
    EXPECT_LE(y + h / 2, ownerY + ownerH + 60);

    ASSERT_TRUE(f.WaitFor([&] { return VisibleButton(*progress, "_Open") != nullptr; }, 60)) << Texts(*progress);
    EXPECT_NE(Texts(*progress).find("Complete"), std::string::npos);
    EXPECT_EQ(f.Engine().RunningDownloads(), 0);
    std::ifstream saved(folder / "slow report.txt", std::ios::binary);
    std::stringstream content;
    content << saved.rdbuf();
    EXPECT_EQ(content.str(), body);

    VisibleButton(*progress, "_Open")->clicked();
    VisibleButton(*progress, "Show in _Folder")->clicked();
    EXPECT_EQ(shell.opened, (std::vector<std::string>{Glib::filename_to_uri((folder / "slow report.txt").string()),
                                                Glib::filename_to_uri(folder.path().string())}));
    VisibleButton(*progress, "C_lose")->clicked();
    EXPECT_TRUE(f.WaitFor([] { return FindVisibleWindow("Download") == nullptr; }));
}

TEST(DownloadWindow, ClosingTheWindowOfARunningDownloadEndsItThereAndThen)
{
    BrowserEngineFixture f(EngineKind::WebKit);
    TempDir folder;
    Gtk::Window* progress = StartSlowDownload(f, folder);
    ASSERT_NE(progress, nullptr);
    gpointer window = progress->gobj();
    g_object_add_weak_pointer(G_OBJECT(window), &window);
    ASSERT_EQ(f.Engine().RunningDownloads(), 1);

    SendDeleteEvent(*progress); // the title bar's close button
    EXPECT_EQ(f.Engine().RunningDownloads(), 0) << "a closed window's download still counts as running";
    EXPECT_TRUE(f.WaitFor([&] { return window == nullptr; })) << "the closed window was never destroyed";
    if (window)
        g_object_remove_weak_pointer(G_OBJECT(window), &window);
}

TEST(DownloadWindow, TheEngineClosesItsDownloadAndPopUpWindowsWhenTheProgramLetsItGo)
{
    auto f = std::make_unique<BrowserEngineFixture>(EngineKind::WebKit, [](const std::string&) {});
    f->Server().AddPage("/opener.html", "<html><body style='margin:0'><a href='#' style='display:block;height:100vh' "
                                        "onclick=\"window.open('/opened.html', '', 'width=300,height=200'); "
                                        "return false;\">open</a></body></html>");
    f->Server().AddPage("/opened.html", "<html><head><title>opened</title></head><body>opened</body></html>");
    ASSERT_TRUE(f->NavigateAndWait(f->Server().Url("/opener.html")));
    GtkWidget* view = FindEngineView(GTK_WIDGET(f->Host().gobj()));
    auto* opener = GTK_WINDOW(gtk_widget_get_toplevel(view));
    gtk_window_present(opener);
    ASSERT_TRUE(f->WaitFor([&] { return gtk_window_is_active(opener) != FALSE; }, 10));
    ASSERT_TRUE(ClickAt(view, 40, 40)) << "xdotool is missing (scripts/install-deps.sh)";
    ASSERT_TRUE(f->WaitFor([&] { return FindVisibleWindow("opened") != nullptr; })) << "no pop-up window";
    TempDir folder;
    Gtk::Window* progress = StartSlowDownload(*f, folder);
    ASSERT_NE(progress, nullptr);
    gpointer windows[] = {FindVisibleWindow("opened")->gobj(), progress->gobj()};
    for (gpointer& window : windows)
        g_object_add_weak_pointer(G_OBJECT(window), &window);

    f.reset();
    EXPECT_EQ(windows[0], nullptr) << "the pop-up window outlived the engine";
    EXPECT_EQ(windows[1], nullptr) << "the download window outlived the engine";
    for (gpointer& window : windows)
        if (window)
            g_object_remove_weak_pointer(G_OBJECT(window), &window);
}
