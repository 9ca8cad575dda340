#include "AccessibleNames.h"

#include <gtkmm/label.h>

namespace platform {

void SetAccessibleName(Gtk::Widget& widget, const std::string& name)
{
    atk_object_set_name(gtk_widget_get_accessible(widget.gobj()), name.c_str());
}

void LabelFor(Gtk::Label& label, Gtk::Widget& field)
{
    label.set_mnemonic_widget(field);
    std::string name = label.get_text();
    while (!name.empty() && (name.back() == ':' || name.back() == ' '))
        name.pop_back();
    SetAccessibleName(field, name);
}

} // namespace platform
