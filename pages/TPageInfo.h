#pragma once
// The record kept for each page: its home URL and which URL it gets back in
// the next session.
#include "TypedUrl.h"

#include <string>

namespace pages {

class TPageInfo {
public:
    explicit TPageInfo(TypedUrl firstURL) : FirstURL_(std::move(firstURL)) {}

    // The page's home as it was entered: the URL it was opened with or last
    // sent to by the user.
    const std::string& FirstURL() const { return FirstURL_.text; }
    // What FirstURL read as when it was set: where Home sends the page.
    const TypedUrl& Home() const { return FirstURL_; }
    void SetFirstURL(TypedUrl url) { FirstURL_ = std::move(url); }

    // True: a save stores the current location; false: it stores FirstURL.
    bool RememberLastURL() const { return RememberLastURL_; }
    void SetRememberLastURL(bool remember) { RememberLastURL_ = remember; }

private:
    TypedUrl FirstURL_;
    bool RememberLastURL_ = false;
};

} // namespace pages
