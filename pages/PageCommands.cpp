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

// The text is read here, once. Blank text gives nothing, as Cancel does; a
// refused one raises, so it is told before anything opens.
std::optional<TypedUrl> PageCommands::Openable(const std::string& text)
{
    TypedUrl url = pages_.ReadTyped(text);
    if (url.kind == TypedUrl::Kind::Refused)
        throw ERefusedAddress(url.message);
    if (url.kind == TypedUrl::Kind::Empty)
        return std::nullopt;
    return url;
}

void PageCommands::itmNewPageClick()
{
    platform::RunGuarded([this] { OpenNewPage(PromptForURL()); });
}

void PageCommands::OpenNewPage(const std::string& text)
{
    const std::optional<TypedUrl> url = Openable(text);
    if (!url)
        return;
    pages_.OpenPage(*url, NewPageCaption(text, pages_.PageCount()));
    if (addURLToHistory_)
        addURLToHistory_(text);
}

void PageCommands::itmNewURLClick()
{
    platform::RunGuarded([this] {
        const std::optional<TypedUrl> url = Openable(PromptForURL());
        if (!url)
            return;
        if (pages_.PageCount() == 0)
            pages_.OpenPage(*url, kFirstPageCaption);
        else
            pages_.NavigatePage(pages_.CurrentIndex(), *url);
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
        TdlgProperties& dialog = dlgProperties_();
        dialog.SetRememberLast(record.RememberLastURL());
        if (dialog.Execute(ParentWindow()))
            record.SetRememberLastURL(dialog.RememberLast());
    });
}

} // namespace pages
