#include "ComboListPopup.h"

#include <gtkmm/cssprovider.h>

namespace platform {
namespace {

constexpr const char* kListStyle = "* { -GtkComboBox-appears-as-list: true; }";
constexpr const char* kStyledMark = "pandrel-list-popup";

} // namespace

void UseListPopup(Gtk::ComboBox& combo)
{
    if (g_object_get_data(G_OBJECT(combo.gobj()), kStyledMark))
        return;
    g_object_set_data(G_OBJECT(combo.gobj()), kStyledMark, GINT_TO_POINTER(1));
    auto css = Gtk::CssProvider::create();
    css->load_from_data(kListStyle);
    combo.get_style_context()->add_provider(css, GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    // The combo picks its pop-up kind when told its style changed; tell it now,
    // before rows arrive, also when it is not shown yet.
    g_signal_emit_by_name(combo.gobj(), "style-updated");
}

} // namespace platform
