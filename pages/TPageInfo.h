#pragma once
// The record kept for each page: its home URL and which URL it gets back in
// the next session.
#include <string>

namespace pages {

class TPageInfo {
public:
    explicit TPageInfo(std::string firstURL) : FirstURL_(std::move(firstURL)) {}

    // The page's home: the URL it was opened with or last sent to by the user.
    const std::string& FirstURL() const { return FirstURL_; }
    void SetFirstURL(const std::string& url) { FirstURL_ = url; }

    // True: a save stores the current location; false: it stores FirstURL.
    bool RememberLastURL() const { return RememberLastURL_; }
    void SetRememberLastURL(bool remember) { RememberLastURL_ = remember; }

private:
    std::string FirstURL_;
    bool RememberLastURL_ = false;
};

} // namespace pages
