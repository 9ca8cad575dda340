#include "Navigation.h"

#include "BrowserPropertyBag.h"
#include "ErrorReport.h"
#include "PageCaptions.h"
#include "ReadableUrl.h"

#include <gdk/gdkkeysyms.h>

namespace pages {
namespace {

constexpr const char* kDocumentURLProperty = "URL";

// Switches completion off for its lifetime and on again however it ends.
class CompletionOff {
public:
    explicit CompletionOff(UrlBoxCompletion& completion) : completion_(completion) { completion_.SetEnabled(false); }
    ~CompletionOff() { completion_.SetEnabled(true); }
    CompletionOff(const CompletionOff&) = delete;
    CompletionOff& operator=(const CompletionOff&) = delete;

private:
    UrlBoxCompletion& completion_;
};

bool IsEnterKey(guint key)
{
    return key == GDK_KEY_Return || key == GDK_KEY_KP_Enter || key == GDK_KEY_ISO_Enter;
}

} // namespace

Navigation::Navigation(PageList& pages, Gtk::ComboBoxText& cboURL, UrlBoxCompletion& completion,
                       platform::AnimationControl& anmState, AddURLToHistoryFunction addURLToHistory)
    : pages_(pages), cboURL_(cboURL), completion_(completion), anmState_(anmState),
      addURLToHistory_(std::move(addURLToHistory))
{
    pages_.SetListener(this);
}

Navigation::~Navigation()
{
    pages_.SetListener(nullptr);
}

void Navigation::btnHomeClick()
{
    platform::RunGuarded([this] {
        const int current = pages_.CurrentIndex();
        if (current >= 0)
            NavigateHome(current);
    });
}

void Navigation::NavigateHome(int index)
{
    pages_.SendBrowser(index, pages_.PageInfo(index).Home());
    TBrowserHost& browser = pages_.Browser(index);
    browser.queue_resize();
    browser.queue_draw();
    pages_.Notebook().queue_draw();
}

void Navigation::btnBackClick()
{
    StepThroughHistory(&TBrowserControl::GoBack);
}

void Navigation::btnForwardClick()
{
    StepThroughHistory(&TBrowserControl::GoForward);
}

void Navigation::StepThroughHistory(void (TBrowserControl::*step)())
{
    try {
        if (TBrowserHost* browser = pages_.CurrentBrowser())
            (browser->*step)();
    } catch (...) {
        // Back and Forward swallow every failure without a word: with no entry
        // that way, no page open or a failing control the command has no effect.
    }
}

void Navigation::btnRefreshClick()
{
    platform::RunGuarded([this] {
        if (TBrowserHost* browser = pages_.CurrentBrowser())
            browser->Refresh();
    });
}

void Navigation::btnStopAllClick()
{
    platform::RunGuarded([this] {
        for (int i = 0; i < pages_.PageCount(); ++i) {
            pages_.DropWaitingLoad(i);
            // A page waiting to be shown loads nothing and stays at its URL; a
            // page without its view yet has nothing under way.
            if (!pages_.IsUnloaded(i) && pages_.HasView(i))
                pages_.Browser(i).Stop();
        }
    });
}

void Navigation::btnStop1Click()
{
    platform::RunGuarded([this] {
        if (TBrowserHost* browser = pages_.CurrentBrowser())
            browser->Stop();
    });
}

void Navigation::cboURLKeyDown(guint& key, GdkModifierType)
{
    if (!IsEnterKey(key))
        return;
    const std::string text = cboURL_.get_entry_text();
    platform::RunGuarded([this, &text] { EnterURL(text); });
}

void Navigation::EnterURL(const std::string& text)
{
    // The text is read here, once. A refused text is told before anything
    // changes; blank text goes nowhere (it is still recorded, as every entered
    // text is).
    const TypedUrl url = pages_.ReadTyped(text);
    if (url.kind == TypedUrl::Kind::Refused)
        throw ERefusedAddress(url.message);
    const int current = pages_.CurrentIndex();
    if (url.kind == TypedUrl::Kind::Address) {
        if (current >= 0)
            pages_.NavigatePage(current, url);
        else
            pages_.OpenPage(url, NewPageCaption(text, pages_.PageCount())); // never an empty tab
    }
    if (addURLToHistory_)
        addURLToHistory_(text);
}

void Navigation::UpdateURLBox(TBrowserControl* browser)
{
    if (!browser)
        return;
    try {
        const DispatchPtr document = browser->Document();
        if (!document)
            return;
        CompletionOff off(completion_);
        const Variant url = platform::GetPropertyByName(*document, kDocumentURLProperty);
        completion_.SetText(ReadableUrl(url.AsText()));
    } catch (...) {
        // A page without a document yet, or a failing control: the box keeps its text.
    }
}

void Navigation::SetBoxText(const std::string& address)
{
    CompletionOff off(completion_);
    completion_.SetText(ReadableUrl(address));
}

void Navigation::ShowAddressOf(int index)
{
    std::string address;
    try {
        // A page without its view has no document: its waiting load's address below.
        if (const DispatchPtr document = pages_.HasView(index) ? pages_.Browser(index).Document() : nullptr)
            address = platform::GetPropertyByName(*document, kDocumentURLProperty).AsText();
    } catch (...) {
        // No document to read: what the page is loading, or its home, is shown.
    }
    try {
        if (address.empty())
            address = pages_.LocationURL(index);
    } catch (...) {
    }
    if (address.empty())
        address = pages_.PageInfo(index).Home().address;
    SetBoxText(address);
}

void Navigation::BrowserBeforeNavigate2(TBrowserControl* sender)
{
    try {
        TBrowserHost* current = pages_.CurrentBrowser();
        if (current && sender == current)
            anmState_.SetActive(true);
    } catch (...) {
        platform::ShowMessageBox(platform::CurrentExceptionText());
    }
}

void Navigation::BrowserDocumentComplete(TBrowserControl* sender)
{
    TBrowserHost* current = pages_.CurrentBrowser();
    if (!current)
        return;
    if (sender == current)
        anmState_.SetActive(false);
    UpdateURLBox(current);
}

void Navigation::BrowserNavigateComplete2(TBrowserControl* sender)
{
    TBrowserHost* current = pages_.CurrentBrowser();
    if (current && sender == current)
        UpdateURLBox(current);
}

void Navigation::BrowserNavigateError(TBrowserControl* sender, const std::string& url)
{
    TBrowserHost* current = pages_.CurrentBrowser();
    if (!current || sender != current)
        return;
    anmState_.SetActive(false);
    SetBoxText(url);
}

void Navigation::pgcMainChange()
{
    platform::RunGuarded([this] {
        const int current = pages_.CurrentIndex();
        if (current < 0)
            return;
        anmState_.SetActive(pages_.Busy(current));
        ShowAddressOf(current);
    });
}

void Navigation::CurrentPageChanged()
{
    platform::RunGuarded([this] {
        if (const int current = pages_.CurrentIndex(); current >= 0)
            ShowAddressOf(current);
    });
}

} // namespace pages
