#include "WebKitEngineContext.h"

#include "GObjectPtr.h"
#include "PrivateFiles.h"
#include "WebKitEngine.h"

#include <glib.h>
#include <webkit2/webkit2.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <optional>
#include <string>

namespace platform {
namespace {

WebKitSandboxState g_sandboxState;

// The probe's answer, computed on a worker thread from the engine's
// registration on, so the window's start never waits for bubblewrap.
std::shared_future<WebKitSandboxState>& SandboxProbe()
{
    static std::shared_future<WebKitSandboxState> probe;
    return probe;
}

std::filesystem::path CookieFile(const std::filesystem::path& dataFolder)
{
    return dataFolder / "cookies.sqlite";
}

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
    const GCharPtr bwrap(g_find_program_in_path("bwrap"));
    if (!bwrap)
        return false;
    const gchar* argv[] = {bwrap.get(), "--ro-bind", "/", "/", "--dev", "/dev", "--proc", "/proc", "--unshare-all",
                           "--die-with-parent", "/bin/true", nullptr};
    gint status = -1;
    gboolean spawned = g_spawn_sync(nullptr, const_cast<gchar**>(argv), nullptr, static_cast<GSpawnFlags>(G_SPAWN_STDOUT_TO_DEV_NULL |
                                    G_SPAWN_STDERR_TO_DEV_NULL), nullptr, nullptr, nullptr, nullptr, &status,
                                    nullptr);
    return spawned && g_spawn_check_wait_status(status, nullptr);
}

} // namespace

WebKitSandboxState ProbeWebKitSandbox()
{
    if (BusSocketDirectlyInRoot())
        return {false, "the session bus socket lies directly in /"};
    if (!BubblewrapWorks())
        return {false, "bubblewrap (bwrap) is missing or cannot create namespaces here"};
    return {true, {}};
}

void StartWebKitSandboxProbe()
{
    if (!SandboxProbe().valid())
        SandboxProbe() = std::async(std::launch::async, ProbeWebKitSandbox).share();
}

WebKitDataFolders SharedWebKitDataFolders()
{
    if (const char* dir = std::getenv("PANDREL_CONFIG_DIR"); dir && *dir)
        return {std::filesystem::path(dir) / "webkit-data", std::filesystem::path(dir) / "webkit-cache"};
    return {std::filesystem::path(g_get_user_data_dir()) / "kestrane" / "pandrel",
            std::filesystem::path(g_get_user_cache_dir()) / "kestrane" / "pandrel"};
}

void MakeWebKitFoldersPrivate(const WebKitDataFolders& folders)
{
    std::error_code error;
    for (const auto& folder : {folders.data, folders.cache})
        if (!MakePrivateFolder(folder, error))
            std::fprintf(stderr, "Pandrel: cannot make the folder %s private: %s.\n", folder.c_str(),
                         error.message().c_str());
    MakePrivateFile(CookieFile(folders.data), error);
    TightenIfPresent(CookieFile(folders.data).string() + "-journal");
}

GObjectPtr<WebKitWebContext> NewWebKitContext(const std::optional<WebKitDataFolders>& folders)
{
    const auto data = GObjectPtr<WebKitWebsiteDataManager>::Adopt(
        folders ? webkit_website_data_manager_new("base-data-directory", folders->data.c_str(),
                                                  "base-cache-directory", folders->cache.c_str(), nullptr)
                : webkit_website_data_manager_new_ephemeral());
    auto created = GObjectPtr<WebKitWebContext>::Adopt(webkit_web_context_new_with_website_data_manager(data.get()));
    // Cookies with an expiry outlive the program, so logins survive a
    // restart; session cookies still end with it.
    if (folders)
        webkit_cookie_manager_set_persistent_storage(webkit_web_context_get_cookie_manager(created.get()),
                                                     CookieFile(folders->data).c_str(),
                                                     WEBKIT_COOKIE_PERSISTENT_STORAGE_SQLITE);
    StartWebKitSandboxProbe();
    g_sandboxState = SandboxProbe().get();
    if (g_sandboxState.enabled)
        webkit_web_context_set_sandbox_enabled(created.get(), TRUE);
    webkit_web_context_set_cache_model(created.get(), WEBKIT_CACHE_MODEL_WEB_BROWSER);
    return created;
}

WebKitWebContext* SharedWebKitContext()
{
    static WebKitWebContext* context = [] {
        // Cookies, caches and local storage: kept under the program's folders,
        // or under PANDREL_CONFIG_DIR when set (tests point it at a temporary
        // folder). Both are owner-only; the cookie file is created owner-only
        // before the engine opens it.
        const WebKitDataFolders folders = SharedWebKitDataFolders();
        MakeWebKitFoldersPrivate(folders);
        GObjectPtr<WebKitWebContext> created = NewWebKitContext(folders);
        if (!g_sandboxState.enabled)
            std::fprintf(stderr, "Pandrel: web content runs without the bubblewrap sandbox: %s.\n",
                         g_sandboxState.reason.c_str());
        return created.release(); // the program's for its whole life: never let go
    }();
    return context;
}

WebKitSandboxState CurrentWebKitSandboxState()
{
    SharedWebKitContext();
    return g_sandboxState;
}

} // namespace platform
