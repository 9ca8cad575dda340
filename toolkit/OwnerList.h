#pragma once
// What one owner keeps until each item closes: windows the program shows by
// themselves (download and pop-up windows, error reports). An item that has
// closed leaves the list at once and is destroyed on the main loop's next
// idle turn, never inside the signal handler that closed it; whatever is
// still held goes with the owner.
#include <glibmm/main.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace platform {

template <typename T>
class OwnerList {
public:
    OwnerList() = default;
    ~OwnerList() { sweep_.disconnect(); }
    OwnerList(const OwnerList&) = delete;
    OwnerList& operator=(const OwnerList&) = delete;

    T& Add(std::unique_ptr<T> item)
    {
        items_.push_back(std::move(item));
        return *items_.back();
    }

    // item has closed: it is no longer held from now on and is destroyed on
    // the next idle turn. Nothing happens for an item released already.
    void Release(const T& item)
    {
        auto found = std::find_if(items_.begin(), items_.end(), [&](const auto& held) { return held.get() == &item; });
        if (found == items_.end())
            return;
        closed_.push_back(std::move(*found));
        items_.erase(found);
        if (!sweep_.connected())
            sweep_ = Glib::signal_idle().connect([this] {
                auto going = std::move(closed_);
                closed_.clear();
                going.clear();
                return !closed_.empty(); // what those released in going has a turn of its own
            });
    }

    const std::vector<std::unique_ptr<T>>& Items() const { return items_; }

private:
    std::vector<std::unique_ptr<T>> items_;
    std::vector<std::unique_ptr<T>> closed_;
    sigc::connection sweep_;
};

} // namespace platform
