#include "SandboxNotice.h"

#include "AccessibleNames.h"

#include <cstdlib>
#include <cstring>

std::optional<std::string> SandboxNoticeText(const platform::WebKitSandboxState& state)
{
    if (state.enabled)
        return std::nullopt;
    const char* optOut = std::getenv(kAllowUnsandboxedVariable);
    if (optOut && std::strcmp(optOut, "1") == 0)
        return std::nullopt;
    return "Web pages run without the sandbox: " + state.reason +
           ". They can read and change your files as Pandrel can.";
}

SandboxNotice::SandboxNotice()
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

void SandboxNotice::Show(const platform::WebKitSandboxState& state)
{
    if (auto text = SandboxNoticeText(state)) {
        label_.set_text(*text);
        show();
    } else {
        hide();
    }
}
