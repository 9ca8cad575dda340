#include "WebKitSiteContexts.h"

#include "ErrorReport.h"
#include "WebKitProfileFolders.h"

#include <webkit2/webkit2.h>

#include <filesystem>

namespace platform {
namespace {

// A clear under way: it holds the context until WebKit has answered.
struct Clearing {
    GObjectPtr<WebKitWebContext> context;
    std::function<void(bool)> done;
    std::weak_ptr<bool> owner;
};

void OnCleared(GObject* manager, GAsyncResult* result, gpointer data)
{
    const std::unique_ptr<Clearing> clearing(static_cast<Clearing*>(data));
    GError* failure = nullptr;
    const bool cleared =
        webkit_website_data_manager_clear_finish(WEBKIT_WEBSITE_DATA_MANAGER(manager), result, &failure);
    const GErrorPtr error(failure);
    if (error)
        std::fprintf(stderr, "Pandrel: the site data could not be cleared: %s.\n", error->message);
    if (!clearing->owner.expired() && clearing->done)
        RunGuarded([&] { clearing->done(cleared); });
}

} // namespace

WebKitSiteContexts::WebKitSiteContexts(std::function<unsigned long(WebKitWebContext*)> prepare,
                                       WebKitDataFolders shared)
    : prepare_(std::move(prepare)), shared_(std::move(shared))
{
}

WebKitSiteContexts::~WebKitSiteContexts()
{
    // Views may outlive the engine: what it connected to their contexts goes now.
    if (sharedContext_ && sharedPrepared_)
        g_signal_handler_disconnect(sharedContext_.get(), sharedPrepared_);
    for (Slot& slot : profiles_) {
        if (auto context = slot.context.Lock(); context && slot.prepared)
            g_signal_handler_disconnect(context.get(), slot.prepared);
        slot.linger.reset();
    }
}

GObjectPtr<WebKitWebContext> WebKitSiteContexts::For(const SiteData& siteData)
{
    if (siteData.IsShared()) {
        if (!sharedContext_) {
            sharedContext_ = GObjectPtr<WebKitWebContext>::Ref(SharedWebKitContext());
            sharedPrepared_ = prepare_ ? prepare_(sharedContext_.get()) : 0;
        }
        return sharedContext_;
    }
    Slot& slot = profiles_[static_cast<std::size_t>(siteData.Profile())];
    if (auto context = slot.context.Lock())
        return context;
    return MakeProfileContext(siteData, slot);
}

GObjectPtr<WebKitWebContext> WebKitSiteContexts::MakeProfileContext(const SiteData& siteData, Slot& slot)
{
    const WebKitProfileFolders found = PrepareProfileFolders(siteData, shared_);
    // Without a usable folder the profile's data lives in memory for this
    // run: it starts empty, never on another profile's data.
    GObjectPtr<WebKitWebContext> context = NewWebKitContext(found.folders);
    slot.context.Set(context.get());
    // One profile's context waits at a time: a quick return to the profile
    // just left finds it, and ten profiles visited in turn never hold ten.
    slot.linger = std::make_unique<WebKitContextLinger>(context.get(), kLinger, [this, waiting = &slot] {
        for (Slot& other : profiles_)
            if (&other != waiting && other.linger)
                other.linger->EndWait();
    });
    slot.prepared = prepare_ ? prepare_(context.get()) : 0;
    if (found.problem.kind != SiteDataProblem::Kind::None && notice_)
        notice_(siteData, found.problem);
    return context;
}

bool WebKitSiteContexts::HasData(const SiteData& siteData) const
{
    if (siteData.IsShared())
        return true;
    std::error_code error;
    return std::filesystem::is_directory(ProfileFolders(siteData, shared_).data, error);
}

void WebKitSiteContexts::Forget(const SiteData& siteData, std::function<void(bool)> done)
{
    GObjectPtr<WebKitWebContext> context;
    if (!siteData.IsShared())
        context = profiles_[static_cast<std::size_t>(siteData.Profile())].context.Lock();
    if (!context && !HasData(siteData)) {
        if (done)
            done(true); // nothing kept: nothing to clear
        return;
    }
    if (!context)
        context = For(siteData);
    WebKitWebsiteDataManager* manager = webkit_web_context_get_website_data_manager(context.get());
    // WebKit hands the record back to OnCleared, which takes it over.
    auto clearing = std::make_unique<Clearing>(Clearing{context, std::move(done), alive_});
    webkit_website_data_manager_clear(manager, WEBKIT_WEBSITE_DATA_ALL, 0, nullptr, OnCleared, clearing.release());
}

int WebKitSiteContexts::LiveProfileContexts() const
{
    int live = 0;
    // Asked of the lingers: taking a reference to look would restart a wait.
    for (const Slot& slot : profiles_)
        live += slot.linger && slot.linger->Holds() ? 1 : 0;
    return live;
}

} // namespace platform
