#pragma once
// The engine's contexts, one per store of site data in use. The shared one
// lives as long as the program; a profile's own lives only while something
// holds it (its pages' views, the windows they opened, a running download)
// and, for the profile left last, kLinger after, so a quick return to it
// finds it running; then it goes, and with it its network and web processes. A context is
// made again when the profile is next shown.
#include "GObjectPtr.h"
#include "SiteData.h"
#include "WebKitContextLinger.h"
#include "WebKitEngine.h"
#include "WebKitEngineContext.h"

#include <array>
#include <chrono>
#include <functional>
#include <memory>

namespace platform {

class WebKitSiteContexts {
public:
    // How long a profile's context outlives the last view using it.
    static constexpr std::chrono::milliseconds kLinger{3000};

    // prepare is called with every context made (the engine connects its
    // downloads); notice with what was found of a profile's folders when it
    // was not as expected.
    WebKitSiteContexts(std::function<unsigned long(WebKitWebContext*)> prepare, WebKitDataFolders shared);
    ~WebKitSiteContexts();
    WebKitSiteContexts(const WebKitSiteContexts&) = delete;
    WebKitSiteContexts& operator=(const WebKitSiteContexts&) = delete;

    void SetNotice(WebKitSiteDataNotice notice) { notice_ = std::move(notice); }

    // The context of siteData: the one in use, or a new one.
    GObjectPtr<WebKitWebContext> For(const SiteData& siteData);
    // Whether siteData's data is on disk (the shared data always is).
    bool HasData(const SiteData& siteData) const;
    // Clears every kind of site data of siteData, and nothing else; done(true)
    // once it is cleared, from the main loop (not when the contexts went first).
    void Forget(const SiteData& siteData, std::function<void(bool cleared)> done);
    // How many profiles' own contexts are alive now (in use or lingering).
    int LiveProfileContexts() const;

private:
    struct Slot {
        GObjectWeakPtr<WebKitWebContext> context;
        unsigned long prepared = 0; // the handler prepare connected
        std::unique_ptr<WebKitContextLinger> linger;
    };
    GObjectPtr<WebKitWebContext> MakeProfileContext(const SiteData& siteData, Slot& slot);

    std::function<unsigned long(WebKitWebContext*)> prepare_;
    WebKitDataFolders shared_;
    WebKitSiteDataNotice notice_;
    GObjectPtr<WebKitWebContext> sharedContext_;
    unsigned long sharedPrepared_ = 0;
    std::array<Slot, SiteData::kProfileCount> profiles_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace platform
