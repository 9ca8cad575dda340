#pragma once
// The page commands of the pop-up menu: "&New Page", "New &URL", "&Label Page",
// "&Close Page" and "&Properties", with their two text prompts.
#include "Navigation.h"
#include "PageList.h"
#include "TdlgProperties.h"

#include <functional>
#include <optional>
#include <string>

namespace pages {

class PageCommands {
public:
    // pages must outlive the commands.
    PageCommands(PageList& pages, AddURLToHistoryFunction addURLToHistory);

    // Gives the Page Properties dialog (made when first asked for); until it
    // is set, "&Properties" does nothing.
    void SetPropertiesDialog(std::function<TdlgProperties&()> dialog) { dlgProperties_ = std::move(dialog); }

    void itmNewPageClick();
    void itmNewURLClick();
    void itmLabelPageClick();
    void itmClosePageClick();
    void itmOptionsClick();

    // What "&New Page" does with the text once the user has typed it: reads it
    // once (blank text opens nothing, refused text raises before anything
    // opens), opens a page captioned from the URL (or numbered) and records the
    // text in the history. Text handed over by other programs and a pop-up's
    // "Open as Page" take the same road.
    void OpenNewPage(const std::string& text);

    // The text as typed on OK, empty text on Cancel.
    std::string PromptForURL();
    // The text as typed on OK, nothing on Cancel.
    std::optional<std::string> PromptForLabel();

private:
    Gtk::Window* ParentWindow();
    std::optional<TypedUrl> Openable(const std::string& text);

    PageList& pages_;
    AddURLToHistoryFunction addURLToHistory_;
    std::function<TdlgProperties&()> dlgProperties_;
};

} // namespace pages
