// What other programs hand the running program: a bounded number of pages
// waiting to open, and no relative name resolved against a folder the sender
// names.
#include "ApplicationId.h"
#include "GObjectPtr.h"
#include "LocalHttpServer.h"
#include "MainLoop.h"
#include "ProgramProcess.h"
#include "ProgramStore.h"
#include "RegistryStoreLocation.h"
#include "SettingsKey.h"
#include "SettingsNames.h"
#include "TempDir.h"

#include <gio/gio.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

using namespace std::chrono_literals;

namespace {

std::vector<std::string> Urls(const LocalHttpServer& server, const std::string& prefix, int count)
{
    std::vector<std::string> urls;
    for (int i = 0; i < count; ++i)
        urls.push_back(server.Url("/" + prefix + std::to_string(i)));
    return urls;
}

// A command line sent straight over the session bus, as any program there
// may send one, claiming cwd as its folder; the instance's exit status.
int SendCommandLine(const std::filesystem::path& settings, const std::vector<std::string>& args,
                    const std::string& cwd)
{
    const std::string id = ApplicationIdFor(settings, platform::StandardSettingsFolder());
    std::string path = "/" + id;
    std::replace(path.begin(), path.end(), '.', '/');
    std::replace(path.begin(), path.end(), '-', '_');
    GVariantBuilder arguments;
    g_variant_builder_init(&arguments, G_VARIANT_TYPE("aay"));
    for (const std::string& arg : args)
        g_variant_builder_add_value(&arguments, g_variant_new_bytestring(arg.c_str()));
    GVariantBuilder platformData;
    g_variant_builder_init(&platformData, G_VARIANT_TYPE("a{sv}"));
    g_variant_builder_add(&platformData, "{sv}", "cwd", g_variant_new_bytestring(cwd.c_str()));
    const auto bus = platform::GObjectPtr<GDBusConnection>::Adopt(g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr));
    if (!bus)
        return -1;
    // The instance joins the bus once its window is up.
    bool onBus = false;
    const guint watch = g_bus_watch_name_on_connection(
        bus.get(), id.c_str(), G_BUS_NAME_WATCHER_FLAGS_NONE,
        [](GDBusConnection*, const gchar*, const gchar*, gpointer appeared) { *static_cast<bool*>(appeared) = true; },
        nullptr, &onBus, nullptr);
    RunUntil([&] { return onBus; }, 20s);
    g_bus_unwatch_name(watch);
    if (!onBus)
        return -1;
    const platform::GOwnedPtr<GVariant, g_variant_unref> reply(g_dbus_connection_call_sync(
        bus.get(), id.c_str(), path.c_str(), "org.gtk.Application", "CommandLine",
        g_variant_new("(oaaya{sv})", "/org/example/sender", &arguments, &platformData), G_VARIANT_TYPE("(i)"),
        G_DBUS_CALL_FLAGS_NONE, 20000, nullptr, nullptr));
    int status = -1;
    if (reply)
        g_variant_get(reply.get(), "(i)", &status);
    return status;
}

} // namespace

TEST(HandedOverUrls, PagesWaitingToOpenAreBoundedAndTheRestRefusedWithOneMessage)
{
    LocalHttpServer server;
    server.AddPage("/first", "<html><body>first</body></html>");
    TempDir settings;
    SeedStore(settings.path(), server.Url("/first"));
    ProgramProcess running({}, On(settings));
    ASSERT_TRUE(WaitForRequest(server, "/first")) << running.Errors();
    // While a dialog is open, what is handed over waits.
    ASSERT_TRUE(running.PressKeys("ctrl+t")) << "xdotool is missing (scripts/install-deps.sh)";
    ASSERT_TRUE(running.WaitForWindow("New URL"));

    ProgramProcess first(Urls(server, "a", 50), On(settings));
    EXPECT_EQ(first.WaitForExit(20s), 0) << first.Errors();
    ProgramProcess second(Urls(server, "b", 50), On(settings));
    EXPECT_EQ(second.WaitForExit(20s), 1) << "a second sender's 50 were taken as well";
    // One message for them all (the desktop may add warnings of its own).
    const std::string& errors = second.Errors();
    const std::string message = "pandrel: 50 URLs not opened: 50 pages are waiting to open already\n";
    EXPECT_NE(errors.find(message), std::string::npos) << errors;
    EXPECT_EQ(errors.find("pandrel:"), errors.rfind("pandrel:")) << errors;

    EXPECT_EQ(running.Terminate(), 0) << running.Errors();
}

TEST(HandedOverUrls, ARelativeNameIsNotResolvedAgainstTheFolderTheSenderNames)
{
    LocalHttpServer server;
    server.AddPage("/first", "<html><body>first</body></html>");
    TempDir settings;
    SeedStore(settings.path(), {{"First", server.Url("/first"), server.Url("/first"), true}},
              [&](profiles::SettingsKey& key) { key.WriteString(profiles::kSearchURL, server.Url("/search?q=%s")); });
    ProgramProcess running({}, On(settings));
    ASSERT_TRUE(WaitForRequest(server, "/first")) << running.Errors();

    // A folder a message claims holds a file of that name: the name is still
    // read as typed words, not as that file.
    TempDir claimed;
    std::ofstream(claimed / "my notes") << "<p>secret";
    EXPECT_EQ(SendCommandLine(settings.path(), {"pandrel", "--", "my notes"}, claimed.path().string()), 0);
    ASSERT_TRUE(WaitForRequest(server, "/search")) << "the name was opened as a file of the claimed folder";
    const std::vector<std::string> asked = server.RequestedPaths();
    EXPECT_NE(std::find(asked.begin(), asked.end(), "/search?q=my%20notes"), asked.end());

    ASSERT_EQ(running.Terminate(), 0) << running.Errors();
    const std::vector<StoredPage> pages = StoredProfile1(settings.path());
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[1].firstUrl.find("file:"), std::string::npos) << pages[1].firstUrl;
}
