// The pages' engine views: made when a page is opened to load at once, and
// otherwise later, one at a time, so a profile's whole page set is listed in
// one short turn of the main loop.
#include "PageList.h"

#include "ErrorReport.h"

namespace pages {

std::unique_ptr<TBrowserHost> PageList::NewHookedBrowser(Gtk::Box& sheet)
{
    auto browser = CreateBrowser(sheet);
    HookBrowserEvents(*browser);
    browser->TabStop = true;
    browser->set_can_focus(true);
    return browser;
}

TBrowserHost& PageList::Browser(int index)
{
    CheckIndex(index);
    std::unique_ptr<TBrowserHost>& browser = FBrowsers[static_cast<std::size_t>(index)];
    if (!browser) {
        browser = NewHookedBrowser(*sheets_[static_cast<std::size_t>(index)]);
        CheckPages();
    }
    return *browser;
}

bool PageList::HasView(int index) const
{
    CheckIndex(index);
    return FBrowsers[static_cast<std::size_t>(index)] != nullptr;
}

TBrowserHost* PageList::CurrentBrowser()
{
    const int current = CurrentIndex();
    return current < 0 ? nullptr : FBrowsers[static_cast<std::size_t>(current)].get();
}

void PageList::ShowView(int index)
{
    platform::RunGuarded([&] { Browser(index); });
}

} // namespace pages
