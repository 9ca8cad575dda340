#include "WarningBar.h"

#include "AccessibleNames.h"
#include "Utf8Strict.h"

WarningBar::WarningBar()
{
    set_message_type(Gtk::MESSAGE_WARNING);
    set_show_close_button(true);
    platform::NameCloseButtons(*this);
    icon_.set_from_icon_name("dialog-warning", Gtk::ICON_SIZE_LARGE_TOOLBAR);
    icon_.set_valign(Gtk::ALIGN_CENTER);
    label_.set_line_wrap(true);
    label_.set_xalign(0.0F);
    auto* content = static_cast<Gtk::Box*>(get_content_area());
    content->set_spacing(8);
    content->pack_start(icon_, Gtk::PACK_SHRINK);
    content->pack_start(label_, Gtk::PACK_EXPAND_WIDGET);
    icon_.show();
    label_.show();
    signal_response().connect([this](int) { hide(); });
    set_no_show_all(true);
}

void WarningBar::ShowText(const std::string& text)
{
    label_.set_text(platform::ValidUtf8(text));
    show();
}
