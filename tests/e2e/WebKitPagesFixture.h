#pragma once
// The pages' window (PagesFixture) over the real WebKit engine: waits bounded
// by the engine's pace, and no error report expected.
#include "BrowserEngineFixture.h"
#include "PagesFixture.h"

#include <chrono>
#include <functional>
#include <string>

class WebKitPagesFixture : public PagesFixture {
protected:
    void RegisterEngine() override { engine_ = RegisterTestEngine(EngineKind::WebKit); }
    void TearDown() override
    {
        PagesFixture::TearDown();
        EXPECT_TRUE(reports.empty()) << (reports.empty() ? "" : reports.front());
    }

    std::shared_ptr<platform::WebKitEngine> engine_;

    bool WaitFor(const std::function<bool()>& condition, int limitSeconds = 30)
    {
        return RunUntil(condition, std::chrono::seconds(limitSeconds));
    }
    // The current page shows url: its document completed and the box says so.
    bool WaitForShown(const std::string& url)
    {
        if (WaitFor([&] { return BoxText() == url && !anmState.Active(); }))
            return true;
        ADD_FAILURE() << "box shows " << BoxText() << ", animation " << (anmState.Active() ? "active" : "inactive")
                      << ", location " << List().LocationURL(List().CurrentIndex());
        return false;
    }
    // The engine may ask about a navigation after Navigate2 returns.
    bool WaitForAnimation() { return WaitFor([&] { return anmState.Active(); }, 10); }
    // Page is at url and no longer busy.
    bool WaitForLoaded(int page, const std::string& url)
    {
        return WaitFor([&] { return !List().Browser(page).Busy() && List().Browser(page).LocationURL() == url; });
    }
};
