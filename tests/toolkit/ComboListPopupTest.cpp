// The URL box's drop-down as a scrolled list: rows of one height, and a long
// list that stays on the screen when it drops down.
#include "ComboListPopup.h"
#include "MainLoop.h"

#include <gtest/gtest.h>
#include <gtkmm.h>

#include <gtk/gtk-a11y.h>

namespace {

GtkWidget* DropDownList(Gtk::ComboBox& box)
{
    AtkObject* accessible = gtk_combo_box_get_popup_accessible(box.gobj());
    return GTK_IS_ACCESSIBLE(accessible) ? gtk_accessible_get_widget(GTK_ACCESSIBLE(accessible)) : nullptr;
}

} // namespace

TEST(ComboListPopup, ALongListDropsDownWithFixedRowsAndStaysOnTheScreen)
{
    Gtk::Window window;
    Gtk::ComboBoxText box(true);
    window.add(box);
    window.set_default_size(800, 100);
    platform::UseListPopup(box);
    window.show_all();
    RunPendingEvents();
    GtkWidget* list = DropDownList(box);
    ASSERT_TRUE(GTK_IS_TREE_VIEW(list)) << "the drop-down is a list";
    EXPECT_TRUE(gtk_tree_view_get_fixed_height_mode(GTK_TREE_VIEW(list)))
        << "every row is measured before the list drops down";
    // A long list given to the box whole and dropped down at once, before the
    // list has measured a row.
    GtkListStore* rows = gtk_list_store_new(2, G_TYPE_STRING, G_TYPE_STRING);
    for (int i = 0; i < 3000; ++i)
        gtk_list_store_insert_with_values(rows, nullptr, -1, 0,
                                          ("http://127.0.0.1/page" + std::to_string(i) + ".html").c_str(), -1);
    box.set_model(Glib::wrap(GTK_TREE_MODEL(rows)));

    GtkWidget* dropDown = gtk_widget_get_toplevel(list);
    bool drawn = false;
    const gulong handler = g_signal_connect_after(
        list, "draw", G_CALLBACK(+[](GtkWidget*, cairo_t*, bool* flag) { *flag = true; return FALSE; }), &drawn);
    box.popup();
    ASSERT_TRUE(RunUntil([&] { return drawn; }, std::chrono::seconds(20))) << "the list was never drawn";
    g_signal_handler_disconnect(list, handler);
    RunPendingEvents();
    GdkRectangle area;
    GdkWindow* boxWindow = box.get_window()->gobj();
    gdk_monitor_get_workarea(gdk_display_get_monitor_at_window(gdk_window_get_display(boxWindow), boxWindow), &area);
    int width = 0;
    int height = 0;
    gtk_window_get_size(GTK_WINDOW(dropDown), &width, &height);
    EXPECT_LE(height, area.height) << "the drop-down is taller than the screen";
    EXPECT_GT(height, 0);
    box.popdown();
    RunPendingEvents();
}
