#include "MainPageSet.h"

std::string MainPageSet::PageFirstURL(int index) const
{
    return pages_.PageInfo(index).FirstURL();
}

void MainPageSet::SetPageFirstURL(int index, const std::string& url)
{
    pages::TPageInfo& page = pages_.PageInfo(index);
    if (page.FirstURL() != url) // the text the page opened with is read already
        page.SetFirstURL(pages_.ReadTyped(url));
}

bool MainPageSet::PageRememberLastURL(int index) const
{
    return pages_.PageInfo(index).RememberLastURL();
}

void MainPageSet::SetPageRememberLastURL(int index, bool remember)
{
    pages_.PageInfo(index).SetRememberLastURL(remember);
}

void MainPageSet::OpenPage(const std::string& url, const std::string& caption)
{
    pages_.OpenPageInSet(pages_.ReadTyped(url), caption);
}

std::string MainPageSet::PageSessionState(int index)
{
    try {
        const platform::ByteArray state = pages_.SessionState(index);
        return std::string(state.begin(), state.end());
    } catch (const std::exception&) {
        return {}; // the engine cannot tell: the page is saved without its history
    }
}

void MainPageSet::RestorePageSessionState(int index, const std::string& state)
{
    try {
        pages_.SetSessionState(index, platform::ByteArray(state.begin(), state.end()));
    } catch (const std::exception&) {
        // Refused: the page opens where it was sent, without its history.
    }
}
