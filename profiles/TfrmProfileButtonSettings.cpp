#include "TfrmProfileButtonSettings.h"

#include "AccessibleNames.h"
#include "CompactDialogStyle.h"
#include "DialogBorder.h"

namespace profiles {

namespace {
constexpr const char* kCaption = "Profile Button Settings";
constexpr int kWidth = 304;
constexpr int kHeight = 107;
} // namespace

TfrmProfileButtonSettings::TfrmProfileButtonSettings()
    : lblButtonCaption_("Button Caption:"), btnOK_("OK"), btnCancel_("Cancel")
{
    set_title(kCaption);
    set_default_size(kWidth, kHeight);
    set_position(Gtk::WIN_POS_CENTER);
    platform::SetDialogBorder(*this);
    set_modal(true);
    platform::UseCompactDialogStyle(*this);

    edtButtonCaption.set_size_request(153, -1);
    edtButtonCaption.set_activates_default(true);
    platform::LabelFor(lblButtonCaption_, edtButtonCaption);
    btnOK_.set_size_request(75, 25);
    btnCancel_.set_size_request(75, 25);
    layout_.put(lblButtonCaption_, 28, 16);
    layout_.put(edtButtonCaption, 112, 12);
    layout_.put(btnOK_, 72, 40);
    layout_.put(btnCancel_, 152, 40);
    get_content_area()->pack_start(layout_, Gtk::PACK_EXPAND_WIDGET);

    // "OK" is the default button (Enter); Esc and "Cancel" give the cancel result.
    btnOK_.set_can_default(true);
    btnOK_.signal_clicked().connect([this] { response(Gtk::RESPONSE_OK); });
    btnCancel_.signal_clicked().connect([this] { response(Gtk::RESPONSE_CANCEL); });
    signal_show().connect(sigc::mem_fun(*this, &TfrmProfileButtonSettings::FormShow));
    show_all_children();
}

void TfrmProfileButtonSettings::FormShow()
{
    btnOK_.grab_default();
    edtButtonCaption.grab_focus();
}

bool TfrmProfileButtonSettings::ShowModal()
{
    const int result = run();
    hide();
    return result == Gtk::RESPONSE_OK;
}

} // namespace profiles
