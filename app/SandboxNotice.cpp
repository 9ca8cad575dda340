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
    label_.set_line_wrap(true);
    label_.set_xalign(0.0F);
    static_cast<Gtk::Container*>(get_content_area())->add(label_);
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
