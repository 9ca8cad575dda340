#include "MainPageSet.h"

std::string MainPageSet::PageFirstURL(int index) const
{
    return pages_.PageInfo(index).FirstURL();
}

void MainPageSet::SetPageFirstURL(int index, const std::string& url)
{
    pages_.PageInfo(index).SetFirstURL(url);
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
    pages_.OpenPageInSet(url, caption);
}
