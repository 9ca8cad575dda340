#include "WebKitEngineContext.h"

#include "WebKitDownloadWindow.h"
#include "WebKitEngine.h"

#include <glib.h>
#include <webkit2/webkit2.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace platform {
namespace {

WebKitSandboxState g_sandboxState;

// The session bus socket must not lie directly in "/": WebKit would then bind
// the root writable into the sandbox and bubblewrap could leave a
// /.flatpak-info behind, after which GLib programs believe they run in Flatpak.
bool BusSocketDirectlyInRoot()
{
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (!address)
        return false;
    std::string text = address;
    auto at = text.find("unix:path=");
    if (at == std::string::npos)
        return false;
    std::string path = text.substr(at + 10);
    path = path.substr(0, path.find_first_of(",;"));
    return std::filesystem::path(path).parent_path() == "/";
}

// Tries bubblewrap the way the engine will use it: new namespaces, root read-only.
bool BubblewrapWorks()
{
    gchar* bwrap = g_find_program_in_path("bwrap");
    if (!bwrap)
        return false;
    const gchar* argv[] = {bwrap, "--ro-bind", "/", "/", "--dev", "/dev", "--proc", "/proc", "--unshare-all",
                           "--die-with-parent", "/bin/true", nullptr};
    gint status = -1;
    gboolean spawned = g_spawn_sync(nullptr, const_cast<gchar**>(argv), nullptr, static_cast<GSpawnFlags>(G_SPAWN_STDOUT_TO_DEV_NULL |
                                    G_SPAWN_STDERR_TO_DEV_NULL), nullptr, nullptr, nullptr, nullptr, &status,
                                    nullptr);
    g_free(bwrap);
    return spawned && g_spawn_check_wait_status(status, nullptr);
}

WebKitSandboxState DecideSandbox()
{
    if (BusSocketDirectlyInRoot())
        return {false, "the session bus socket lies directly in /"};
    if (!BubblewrapWorks())
        return {false, "bubblewrap (bwrap) is missing or cannot create namespaces here"};
    return {true, {}};
}

// Cookies, caches and local storage: kept under the program's folders, or
// under PANDREL_CONFIG_DIR when set (tests point it at a temporary folder).
WebKitWebsiteDataManager* NewWebsiteDataManager()
{
    std::filesystem::path data, cache;
    if (const char* dir = std::getenv("PANDREL_CONFIG_DIR"); dir && *dir) {
        data = std::filesystem::path(dir) / "webkit-data";
        cache = std::filesystem::path(dir) / "webkit-cache";
    } else {
        data = std::filesystem::path(g_get_user_data_dir()) / "kestrane" / "pandrel";
        cache = std::filesystem::path(g_get_user_cache_dir()) / "kestrane" / "pandrel";
    }
    return webkit_website_data_manager_new("base-data-directory", data.c_str(), "base-cache-directory",
                                           cache.c_str(), nullptr);
}

void OnDownloadStarted(WebKitWebContext*, WebKitDownload* download, gpointer)
{
    HandleDownloadWithSaveAs(download);
}

} // namespace

WebKitWebContext* SharedWebKitContext()
{
    static WebKitWebContext* context = [] {
        WebKitWebsiteDataManager* data = NewWebsiteDataManager();
        WebKitWebContext* created = webkit_web_context_new_with_website_data_manager(data);
        g_object_unref(data);
        g_sandboxState = DecideSandbox();
        if (g_sandboxState.enabled)
            webkit_web_context_set_sandbox_enabled(created, TRUE);
        else
            std::fprintf(stderr, "Pandrel: web content runs without the bubblewrap sandbox: %s.\n",
                         g_sandboxState.reason.c_str());
        webkit_web_context_set_cache_model(created, WEBKIT_CACHE_MODEL_WEB_BROWSER);
        // Every download, from any page or window, gets a save-as choice and a progress window.
        g_signal_connect(created, "download-started", G_CALLBACK(OnDownloadStarted), nullptr);
        return created; // the program's for its whole life
    }();
    return context;
}

WebKitSandboxState CurrentWebKitSandboxState()
{
    SharedWebKitContext();
    return g_sandboxState;
}

} // namespace platform
