#include "BrowserEngineFixture.h"
#include "MainLoop.h"

#include "ScriptedBrowserEngine.h"
#include "WebKitEngine.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

using namespace platform;

namespace {

// One folder for the WebKit engine's data for the whole run (its context lives as long).
const TempDir& EngineDataFolder()
{
    static TempDir folder;
    return folder;
}

} // namespace

void Navigate(TBrowserControl& browser, const std::string& url)
{
    Variant URL(url), Flags, TargetFrameName, PostData, Headers;
    browser.Navigate2(URL, Flags, TargetFrameName, PostData, Headers);
}

void BrowserEngineFixture::ExpectNoFlatpakInfo()
{
    if (std::filesystem::exists("/.flatpak-info")) {
        ADD_FAILURE() << "/.flatpak-info exists on the real root: a sandboxed WebKit process left it there "
                         "(is DBUS_SESSION_BUS_ADDRESS a socket directly in /?). Remove it before testing.";
        std::abort();
    }
}

BrowserEngineFixture::BrowserEngineFixture(EngineKind kind) : kind_(kind)
{
    ExpectNoFlatpakInfo();
    if (kind == EngineKind::WebKit) {
        setenv("PANDREL_CONFIG_DIR", EngineDataFolder().path().c_str(), 0);
        RegisterWebKitEngine();
    } else {
        RegisterScriptedEngine();
    }
    host_ = std::make_unique<TBrowserHost>();
    if (kind == EngineKind::Scripted)
        ScriptedBrowserControl::Of(host_->ControlInstance())->SetCompleteNavigationsAutomatically(true);
    host_->OnBeforeNavigate2 = [this](TBrowserControl*, const DispatchPtr&, Variant& URL, Variant&, Variant&,
                                      Variant&, Variant&, WordBool&) {
        events_.push_back("BeforeNavigate2 " + URL.AsText());
    };
    host_->OnNavigateComplete2 = [this](TBrowserControl*, const DispatchPtr&, Variant& URL) {
        events_.push_back("NavigateComplete2 " + URL.AsText());
    };
    host_->OnDocumentComplete = [this](TBrowserControl*, const DispatchPtr&, Variant& URL) {
        events_.push_back("DocumentComplete " + URL.AsText());
    };
    host_->SetVisible(true);
    window_.set_default_size(640, 480);
    window_.add(*host_);
    window_.show_all();
}

BrowserEngineFixture::~BrowserEngineFixture()
{
    window_.remove();
    host_.reset();
    Settle(50);
    ExpectNoFlatpakInfo();
}

bool BrowserEngineFixture::WaitFor(const std::function<bool()>& condition, int limitSeconds)
{
    return RunUntil(condition, std::chrono::seconds(limitSeconds));
}

void BrowserEngineFixture::Settle(int milliseconds)
{
    RunFor(std::chrono::milliseconds(milliseconds));
}

std::size_t BrowserEngineFixture::CountEvents(const std::string& event) const
{
    return static_cast<std::size_t>(std::count(events_.begin(), events_.end(), event));
}

bool BrowserEngineFixture::WaitForDocumentComplete(const std::string& url, std::size_t afterEvent)
{
    return WaitFor([&] {
        return std::find(events_.begin() + static_cast<std::ptrdiff_t>(std::min(afterEvent, events_.size())),
                         events_.end(), "DocumentComplete " + url) != events_.end();
    });
}

bool BrowserEngineFixture::NavigateAndWait(const std::string& url)
{
    std::size_t before = events_.size();
    Navigate(*host_, url);
    return WaitForDocumentComplete(url, before);
}
