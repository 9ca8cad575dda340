// Back and forward kept across a profile switch on the real WebKit engine: a
// page that went on twice, switched away and back, goes Back twice to where it
// started; a damaged stored list leaves the page opening as before.
#include "AnimationControl.h"
#include "ErrorReport.h"
#include "LocalHttpServer.h"
#include "MainPageSet.h"
#include "Pages.h"
#include "Profiles.h"
#include "RegistryStore.h"
#include "SettingsKey.h"
#include "SettingsNames.h"
#include "TempDir.h"
#include "WebKitEngine.h"

#include <gtest/gtest.h>
#include <gtkmm.h>

#include <chrono>
#include <thread>

namespace {

bool WaitFor(const std::function<bool()>& condition)
{
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > limit)
            return false;
        if (!g_main_context_iteration(nullptr, FALSE))
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

} // namespace

TEST(SessionHistory, BackAfterASwitchAwayAndBackGoesWhereItWentBefore)
{
    TempDir settings;
    setenv("PANDREL_CONFIG_DIR", settings.path().c_str(), 0);
    platform::RegisterWebKitEngine();
    std::vector<std::string> reports;
    auto previousSink = platform::SetErrorSink([&](const std::string& text) { reports.push_back(text); });
    LocalHttpServer server;
    for (const char* path : {"/a", "/b", "/c"})
        server.AddPage(path, std::string("<html><body>") + path + "</body></html>");
    platform::RegistryStore store(settings / "store");
    {
        profiles::SettingsKey key(store);
        ASSERT_TRUE(key.OpenProgramKey(true));
        ASSERT_TRUE(key.OpenKey("Profile1", true));
        key.WriteInteger(profiles::kSites, 1);
        key.WriteString("Label0", "A");
        key.WriteString("FirstURL0", server.Url("/a"));
        key.WriteString("URL0", server.Url("/a"));
        key.WriteString("RemURL0", profiles::kYes);
        key.Commit();
    }

    Gtk::Window window;
    Gtk::Box layout{Gtk::ORIENTATION_VERTICAL};
    Gtk::ComboBoxText cboURL{true};
    platform::AnimationControl anmState{32, 29, 100};
    Gtk::Notebook pgcMain;
    layout.pack_start(cboURL, Gtk::PACK_SHRINK);
    layout.pack_start(pgcMain, Gtk::PACK_EXPAND_WIDGET);
    window.add(layout);
    window.set_default_size(800, 600);
    window.show_all();
    {
        pages::Pages pages(pgcMain, cboURL, anmState, [](const std::string&) {});
        MainPageSet pageSet(pages.List());
        profiles::Profiles profiles(store, pageSet);
        auto& list = pages.List();
        auto loaded = [&](const std::string& path) {
            return WaitFor([&] {
                return list.PageCount() == 1 && !list.Browser(0).Busy() && list.LocationURL(0) == server.Url(path);
            });
        };
        profiles.LoadProfilePages("Profile1");
        ASSERT_TRUE(loaded("/a"));
        // Two navigations that leave FirstURL alone, as followed links do.
        for (const char* path : {"/b", "/c"}) {
            platform::Variant url(server.Url(path)), none;
            list.Browser(0).Navigate2(url, none, none, none, none);
            ASSERT_TRUE(loaded(path)) << path;
        }

        profiles.spdProfileClick(profiles.ButtonBar().Button(2));
        EXPECT_EQ(list.PageCount(), 0);
        profiles.spdProfileClick(profiles.ButtonBar().Button(1));
        ASSERT_TRUE(loaded("/c"));
        list.Browser(0).GoBack();
        EXPECT_TRUE(loaded("/b")) << "Back after the switch goes where it went before";
        list.Browser(0).GoBack();
        EXPECT_TRUE(loaded("/a"));
        list.Browser(0).GoForward();
        EXPECT_TRUE(loaded("/b"));

        // A damaged list is ignored: the page opens where it was, with no history.
        profiles.spdProfileClick(profiles.ButtonBar().Button(2));
        {
            profiles::SettingsKey key(store);
            ASSERT_TRUE(key.OpenKey(std::string(profiles::kProgramKey) + "\\Profile1", false));
            ASSERT_TRUE(key.ReadBinary("Session0").has_value()) << "the switch stored the list";
            key.WriteBinary("Session0", std::string("WebKitGTK 0.0.0\ndamaged", 23));
            key.Commit();
        }
        server.ClearLog();
        profiles.spdProfileClick(profiles.ButtonBar().Button(1));
        EXPECT_TRUE(loaded("/b"));
        EXPECT_TRUE(server.WasRequested("/b"));
        EXPECT_TRUE(list.Browser(0).SessionState().size() > 0);
    }
    WaitFor([] { return !g_main_context_pending(nullptr); });
    platform::SetErrorSink(previousSink);
    EXPECT_TRUE(reports.empty()) << (reports.empty() ? "" : reports.front());
}
