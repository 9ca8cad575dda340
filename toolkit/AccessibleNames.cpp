#include "AccessibleNames.h"

#include <gtkmm/container.h>
#include <gtkmm/label.h>

namespace platform {
namespace {

void NameIfPictureButton(GtkWidget* widget, gpointer)
{
    if (GTK_IS_BUTTON(widget) && !gtk_button_get_label(GTK_BUTTON(widget))) {
        AtkObject* accessible = gtk_widget_get_accessible(widget);
        const char* name = atk_object_get_name(accessible);
        if (!name || !*name)
            atk_object_set_name(accessible, "Close");
    }
    if (GTK_IS_CONTAINER(widget))
        gtk_container_forall(GTK_CONTAINER(widget), NameIfPictureButton, nullptr);
}

} // namespace

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

void NameCloseButtons(Gtk::Container& bar)
{
    gtk_container_forall(bar.gobj(), NameIfPictureButton, nullptr);
}

} // namespace platform
