#include "CompactDialogStyle.h"

#include <gtkmm/cssprovider.h>
#include <gtkmm/stylecontext.h>

namespace platform {

namespace {
constexpr const char* kStyleClass = "pandrel-compact-dialog";
constexpr const char* kCss =
    ".pandrel-compact-dialog, .pandrel-compact-dialog * { font-size: 8pt; }"
    ".pandrel-compact-dialog entry { min-height: 0; padding-top: 3px; padding-bottom: 3px; }"
    ".pandrel-compact-dialog button { min-height: 0; padding-top: 2px; padding-bottom: 2px; }";
} // namespace

void UseCompactDialogStyle(Gtk::Window& dialog)
{
    static Glib::RefPtr<Gtk::CssProvider> provider;
    if (!provider) {
        provider = Gtk::CssProvider::create();
        provider->load_from_data(kCss);
        Gtk::StyleContext::add_provider_for_screen(dialog.get_screen(), provider,
                                                   GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    }
    dialog.get_style_context()->add_class(kStyleClass);
}

} // namespace platform
