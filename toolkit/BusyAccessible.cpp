#include "BusyAccessible.h"

#include <gtk/gtk-a11y.h>
#include <gtkmm/widget.h>

namespace platform {
namespace {

constexpr const char* kBusyKey = "pandrel-accessible-busy";

bool IsBusy(GtkWidget* widget)
{
    return widget && g_object_get_data(G_OBJECT(widget), kBusyKey) != nullptr;
}

AtkStateSet* RefStateSet(AtkObject* accessible);

void ClassInit(gpointer klass, gpointer)
{
    ATK_OBJECT_CLASS(klass)->ref_state_set = RefStateSet;
}

// A subclass of the widget accessible that adds the busy state.
GType BusyAccessibleType()
{
    static gsize type = 0;
    if (g_once_init_enter(&type)) {
        GTypeQuery parent;
        g_type_query(GTK_TYPE_WIDGET_ACCESSIBLE, &parent);
        const GTypeInfo info = {static_cast<guint16>(parent.class_size), nullptr, nullptr, ClassInit, nullptr,
                                nullptr, static_cast<guint16>(parent.instance_size), 0, nullptr, nullptr};
        g_once_init_leave(&type, g_type_register_static(GTK_TYPE_WIDGET_ACCESSIBLE, "PandrelBusyAccessible",
                                                        &info, GTypeFlags(0)));
    }
    return type;
}

AtkStateSet* RefStateSet(AtkObject* accessible)
{
    auto* parent = ATK_OBJECT_CLASS(g_type_class_peek(GTK_TYPE_WIDGET_ACCESSIBLE));
    AtkStateSet* states = parent->ref_state_set(accessible);
    if (IsBusy(gtk_accessible_get_widget(GTK_ACCESSIBLE(accessible))))
        atk_state_set_add_state(states, ATK_STATE_BUSY);
    return states;
}

} // namespace

void UseBusyAccessible(Gtk::Widget& widget)
{
    gtk_widget_class_set_accessible_type(GTK_WIDGET_GET_CLASS(widget.gobj()), BusyAccessibleType());
}

void SetAccessibleBusy(Gtk::Widget& widget, bool busy)
{
    if (IsBusy(widget.gobj()) == busy)
        return;
    g_object_set_data(G_OBJECT(widget.gobj()), kBusyKey, busy ? GINT_TO_POINTER(1) : nullptr);
    atk_object_notify_state_change(gtk_widget_get_accessible(widget.gobj()), ATK_STATE_BUSY, busy);
}

} // namespace platform
