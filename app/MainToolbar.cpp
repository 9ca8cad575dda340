#include "MainToolbar.h"

#include "AccessibleNames.h"
#include "ProgramIdentity.h"

namespace {
constexpr int kButtonWidth = 30;
constexpr int kButtonHeight = 28;
constexpr int kSeparatorWidth = 8;
} // namespace

MainToolbar::MainToolbar()
{
    set_toolbar_style(Gtk::TOOLBAR_ICONS);
    set_show_arrow(false);
    get_style_context()->add_class("pandrel-main-toolbar");

    SetUpButton(btnHome, imgHome, "home", "go to home page", "Home");
    SetUpButton(btnBack, imgBack, "back", "go back", "Back");
    SetUpButton(btnForward, imgForward, "forward", "go forward", "Forward");
    SetUpButton(btnRefresh, imgRefresh, "refresh", "reload page", "Refresh");
    SetUpButton(btnStopAll, imgStopAll, "stop-all", "stop loading all pages", "Stop all pages");
    SetUpButton(btnStop1, imgStop1, "stop-current", "stop loading current page", "Stop current page");

    for (Gtk::SeparatorToolItem* separator : {&btnSep1, &btnSep2, &btnSep3, &ToolButton1}) {
        separator->set_draw(false);
        separator->set_size_request(kSeparatorWidth, -1);
    }
    for (Gtk::ToolItem* item : std::initializer_list<Gtk::ToolItem*>{
             &btnSep1, &btnHome, &btnSep2, &btnBack, &btnForward, &btnSep3, &btnRefresh,
             &ToolButton1, &btnStopAll, &btnStop1})
        append(*item);
}

void MainToolbar::SetUpButton(Gtk::ToolButton& button, platform::ScaledImage& picture,
                              const std::string& pictureName, const char* tooltip,
                              const char* accessibleName)
{
    picture.SetPicture("toolbar/" + pictureName + ".png");
    button.set_icon_widget(picture);
    button.set_tooltip_text(tooltip);
    button.set_size_request(kButtonWidth, kButtonHeight);
    // The picture says nothing to a screen reader: the button inside the tool
    // item, which is what takes the focus and the click, is named instead.
    if (Gtk::Widget* inner = button.get_child())
        platform::SetAccessibleName(*inner, accessibleName);
}
