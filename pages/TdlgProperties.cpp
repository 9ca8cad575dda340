#include "TdlgProperties.h"

#include "DialogBorder.h"

namespace pages {
namespace {

constexpr const char* kCaption = "Page Properties";
constexpr const char* kRememberLastCaption = "Remember Last URL";
constexpr const char* kUseInitialURLCaption = "Use Initial URL every session";
constexpr int kClientWidth = 282;
constexpr int kClientHeight = 117;

void Place(Gtk::Fixed& layout, Gtk::Widget& widget, int left, int top, int width, int height)
{
    widget.set_size_request(width, height);
    layout.put(widget, left, top);
}

} // namespace

TdlgProperties::TdlgProperties()
    : radRememberLast(kRememberLastCaption), radUseInitialURL(kUseInitialURLCaption)
{
    set_title(kCaption);
    platform::SetDialogBorder(*this);
    set_modal(true);
    set_position(Gtk::WIN_POS_CENTER);
    set_skip_taskbar_hint(true);

    radUseInitialURL.join_group(radRememberLast);
    radUseInitialURL.set_active(true);

    // Enter presses the default button OK; Esc and the close button answer
    // with a response other than OK, as Cancel does.
    btnOk.set_label("OK");
    btnCancel.set_label("Cancel");
    okPicture_.set_from_icon_name("object-select-symbolic", Gtk::ICON_SIZE_BUTTON);
    cancelPicture_.set_from_icon_name("window-close-symbolic", Gtk::ICON_SIZE_BUTTON);
    btnOk.set_image(okPicture_);
    btnCancel.set_image(cancelPicture_);
    btnOk.set_always_show_image(true);
    btnCancel.set_always_show_image(true);
    btnOk.set_can_default(true);
    btnOk.signal_clicked().connect([this] { response(Gtk::RESPONSE_OK); });
    btnCancel.signal_clicked().connect([this] { response(Gtk::RESPONSE_CANCEL); });

    Place(layout_, radRememberLast, 56, 16, 161, 17);
    Place(layout_, radUseInitialURL, 56, 40, 161, 17);
    Place(layout_, btnOk, 56, 72, 75, 25);
    Place(layout_, btnCancel, 136, 72, 75, 25);
    layout_.set_size_request(kClientWidth, kClientHeight);
    Gtk::Box* area = get_content_area();
    area->set_spacing(0);
    area->set_border_width(0);
    area->pack_start(layout_, Gtk::PACK_EXPAND_WIDGET);
    get_action_area()->set_no_show_all(true);
    get_action_area()->hide();
    show_all_children();
}

void TdlgProperties::SetRememberLast(bool flag)
{
    if (flag)
        radRememberLast.set_active(true);
    else
        radUseInitialURL.set_active(true);
}

bool TdlgProperties::RememberLast() const
{
    return radRememberLast.get_active();
}

bool TdlgProperties::Execute(Gtk::Window* parent)
{
    if (parent)
        set_transient_for(*parent);
    btnOk.grab_default();
    const int result = run();
    hide();
    return result == Gtk::RESPONSE_OK;
}

} // namespace pages
