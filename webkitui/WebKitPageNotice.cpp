#include "WebKitPageNotice.h"

#include "AccessibleNames.h"

#include <pangomm/attrlist.h>

namespace platform {

WebKitPageNotice::WebKitPageNotice(Gtk::MessageType type, const char* iconName, const std::string& text)
{
    set_message_type(type);
    icon_.set_from_icon_name(iconName, Gtk::ICON_SIZE_LARGE_TOOLBAR);
    icon_.set_valign(Gtk::ALIGN_CENTER);
    text_.set_text(text);
    Pango::AttrList bold;
    auto weight = Pango::Attribute::create_attr_weight(Pango::WEIGHT_BOLD);
    bold.insert(weight);
    text_.set_attributes(bold);
    for (Gtk::Label* label : {&text_, &detail_}) {
        label->set_xalign(0.0F);
        label->set_line_wrap(true);
    }
    lines_.set_valign(Gtk::ALIGN_CENTER);
    lines_.pack_start(text_, Gtk::PACK_SHRINK);
    lines_.pack_start(detail_, Gtk::PACK_SHRINK);
    auto* content = static_cast<Gtk::Box*>(get_content_area());
    content->set_spacing(8);
    content->pack_start(icon_, Gtk::PACK_SHRINK);
    content->pack_start(lines_, Gtk::PACK_EXPAND_WIDGET);
    icon_.show();
    lines_.show_all();
    set_no_show_all(true); // shown only when there is something to say
}

void WebKitPageNotice::Show(const std::string& detail)
{
    detail_.set_text(detail);
    detail_.set_visible(!detail.empty());
    NameCloseButtons(*this);
    show();
}

} // namespace platform
