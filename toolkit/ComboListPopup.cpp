#include "ComboListPopup.h"

#include "GObjectPtr.h"

#include <gtk/gtk-a11y.h>
#include <gtkmm/cssprovider.h>

#include <algorithm>

namespace platform {
namespace {

constexpr const char* kListStyle = "* { -GtkComboBox-appears-as-list: true; }";
constexpr const char* kStyledMark = "pandrel-list-popup";

// The list's rows all have one height: the list then measures one row instead
// of every row before it drops down, which with a long list takes seconds.
GtkWidget* PopupList(GtkComboBox* combo)
{
    AtkObject* accessible = gtk_combo_box_get_popup_accessible(combo);
    GtkWidget* list = GTK_IS_ACCESSIBLE(accessible) ? gtk_accessible_get_widget(GTK_ACCESSIBLE(accessible)) : nullptr;
    return GTK_IS_TREE_VIEW(list) ? list : nullptr;
}

void UseFixedRowHeight(GtkComboBox* combo)
{
    GtkWidget* list = PopupList(combo);
    if (!list || gtk_tree_view_get_fixed_height_mode(GTK_TREE_VIEW(list)))
        return;
    const GListPtr columns(gtk_tree_view_get_columns(GTK_TREE_VIEW(list)));
    for (GList* column = columns.get(); column; column = column->next)
        gtk_tree_view_column_set_sizing(GTK_TREE_VIEW_COLUMN(column->data), GTK_TREE_VIEW_COLUMN_FIXED);
    gtk_tree_view_set_fixed_height_mode(GTK_TREE_VIEW(list), TRUE);
}

// The combo sizes its drop-down before the list knows its rows' height, and the
// list then grows the window to every row: thousands of rows make it taller
// than the screen (and than the display server allows). Once it shows, the
// list scrolls within the screen below the box instead.
void KeepDropDownOnScreen(GtkComboBox* combo)
{
    gboolean shown = FALSE;
    g_object_get(combo, "popup-shown", &shown, nullptr);
    GtkWidget* list = PopupList(combo);
    GtkWidget* scroller = list ? gtk_widget_get_parent(list) : nullptr;
    GdkWindow* window = gtk_widget_get_window(GTK_WIDGET(combo));
    if (!shown || !GTK_IS_SCROLLED_WINDOW(scroller) || !window)
        return;
    GtkAllocation box;
    gtk_widget_get_allocation(GTK_WIDGET(combo), &box);
    int rootX = 0;
    int below = 0;
    gdk_window_get_root_coords(window, box.x, box.y + box.height, &rootX, &below);
    GdkRectangle area;
    gdk_monitor_get_workarea(gdk_display_get_monitor_at_window(gdk_window_get_display(window), window), &area);
    const int room = std::max(area.y + area.height - below, box.height);
    GtkPolicyType horizontal = GTK_POLICY_NEVER;
    gtk_scrolled_window_get_policy(GTK_SCROLLED_WINDOW(scroller), &horizontal, nullptr);
    gtk_scrolled_window_set_max_content_height(GTK_SCROLLED_WINDOW(scroller), room);
    gtk_scrolled_window_set_propagate_natural_height(GTK_SCROLLED_WINDOW(scroller), TRUE);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scroller), horizontal, GTK_POLICY_AUTOMATIC);
}

} // namespace

void UseListPopup(Gtk::ComboBox& combo)
{
    if (g_object_get_data(G_OBJECT(combo.gobj()), kStyledMark))
        return;
    g_object_set_data(G_OBJECT(combo.gobj()), kStyledMark, GINT_TO_POINTER(1));
    auto css = Gtk::CssProvider::create();
    css->load_from_data(kListStyle);
    combo.get_style_context()->add_provider(css, GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    // The combo builds its pop-up anew whenever its style changes; the list it
    // builds gets fixed row heights each time.
    g_signal_connect_after(combo.gobj(), "style-updated",
                           G_CALLBACK(+[](GtkComboBox* box, gpointer) { UseFixedRowHeight(box); }), nullptr);
    g_signal_connect(combo.gobj(), "notify::popup-shown",
                     G_CALLBACK(+[](GtkComboBox* box, GParamSpec*, gpointer) { KeepDropDownOnScreen(box); }), nullptr);
    // The combo picks its pop-up kind when told its style changed; tell it now,
    // before rows arrive, also when it is not shown yet.
    g_signal_emit_by_name(combo.gobj(), "style-updated");
}

} // namespace platform
