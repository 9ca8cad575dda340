#include "PageCommands.h"

#include "ErrorReport.h"
#include "PageCaptions.h"
#include "TextPrompt.h"

namespace pages {
namespace {

constexpr const char* kNewURLCaption = "New URL";
constexpr const char* kNewURLPrompt = "Please enter the new URL";
constexpr const char* kNewLabelCaption = "New Page Label";
constexpr const char* kNewLabelPrompt = "Please enter the new page label";
// Caption of the page "New &URL" opens when no page is open.
constexpr const char* kFirstPageCaption = "1";

} // namespace

PageCommands::PageCommands(PageList& pages, AddURLToHistoryFunction addURLToHistory)
    : pages_(pages), addURLToHistory_(std::move(addURLToHistory))
{
}

Gtk::Window* PageCommands::ParentWindow()
{
    Gtk::Container* top = pages_.Notebook().get_toplevel();
    return top && top->get_is_toplevel() ? dynamic_cast<Gtk::Window*>(top) : nullptr;
}

std::string PageCommands::PromptForURL()
{
    return RunTextPrompt(ParentWindow(), kNewURLCaption, kNewURLPrompt).value_or(std::string());
}

std::optional<std::string> PageCommands::PromptForLabel()
{
    return RunTextPrompt(ParentWindow(), kNewLabelCaption, kNewLabelPrompt);
}

// Blank or refused text opens nothing; a refused one is told.
bool PageCommands::IsOpenable(const std::string& url)
{
    const TypedUrl typed = pages_.ReadTyped(url);
    if (typed.kind == TypedUrl::Kind::Refused)
        throw ERefusedAddress(typed.message);
    return typed.kind == TypedUrl::Kind::Address;
}

void PageCommands::itmNewPageClick()
{
    platform::RunGuarded([this] {
        const std::string url = PromptForURL();
        if (!IsOpenable(url))
            return;
        OpenNewPage(url);
    });
}

void PageCommands::OpenNewPage(const std::string& url)
{
    std::string caption = CaptionFromURL(url);
    if (caption.empty())
        caption = std::to_string(pages_.PageCount() + 1);
    pages_.OpenPage(url, caption);
    if (addURLToHistory_)
        addURLToHistory_(url);
}

void PageCommands::itmNewURLClick()
{
    platform::RunGuarded([this] {
        const std::string url = PromptForURL();
        if (!IsOpenable(url))
            return;
        if (pages_.PageCount() == 0)
            pages_.OpenPage(url, kFirstPageCaption);
        else
            pages_.NavigatePage(pages_.CurrentIndex(), url);
    });
}

void PageCommands::itmLabelPageClick()
{
    platform::RunGuarded([this] {
        // Cancel keeps the caption; an empty field confirmed with OK empties it.
        if (const std::optional<std::string> label = PromptForLabel())
            pages_.SetPageLabel(*label);
    });
}

void PageCommands::itmClosePageClick()
{
    platform::RunGuarded([this] {
        if (pages_.PageCount() > 0)
            pages_.ClosePage(pages_.CurrentIndex());
    });
}

void PageCommands::itmOptionsClick()
{
    platform::RunGuarded([this] {
        if (pages_.PageCount() == 0 || !dlgProperties_)
            return;
        TPageInfo& record = pages_.PageInfo(pages_.CurrentIndex());
        dlgProperties_->SetRememberLast(record.RememberLastURL());
        if (dlgProperties_->Execute(ParentWindow()))
            record.SetRememberLastURL(dlgProperties_->RememberLast());
    });
}

} // namespace pages
