#pragma once
// A window made the first time it is asked for and kept from then on: hidden
// and shown again, never made twice, so it keeps its state between uses, and
// a window the user never opens costs nothing at start.
#include <functional>
#include <memory>

namespace platform {

template <typename Window>
class BuiltOnFirstUse {
public:
    // whenBuilt runs once, on the new window, before it is handed out.
    explicit BuiltOnFirstUse(std::function<void(Window&)> whenBuilt = {}) : whenBuilt_(std::move(whenBuilt)) {}
    BuiltOnFirstUse(const BuiltOnFirstUse&) = delete;
    BuiltOnFirstUse& operator=(const BuiltOnFirstUse&) = delete;

    Window& Get()
    {
        if (!window_) {
            auto made = std::make_unique<Window>();
            if (whenBuilt_)
                whenBuilt_(*made);
            window_ = std::move(made);
        }
        return *window_;
    }
    Window* IfBuilt() const { return window_.get(); }
    // Get, for those who show the window; this holder must outlive it.
    std::function<Window&()> Getter()
    {
        return [this]() -> Window& { return Get(); };
    }

private:
    std::function<void(Window&)> whenBuilt_;
    std::unique_ptr<Window> window_;
};

} // namespace platform
