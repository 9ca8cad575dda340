// The reference for the profile-switch soak: a bare WebKitGTK program that
// holds one of two page sets in a notebook, one web view per tab, and swaps
// them on Alt+1 and Alt+2 the way a profile switch does: every view of the
// open set is destroyed, then a view is made for each page of the other set.
// Its own memory beside the program's tells the engine's share from ours.
//   bare_webkit_soak URL... -- URL...    (set 1, then set 2; set 1 opens first)
#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <string>
#include <vector>

namespace {

struct Soak {
    WebKitWebContext* context = nullptr;
    GtkWidget* notebook = nullptr;
    std::vector<std::string> sets[2];
};

void OpenSet(Soak& soak, int set)
{
    GtkNotebook* notebook = GTK_NOTEBOOK(soak.notebook);
    while (gtk_notebook_get_n_pages(notebook) > 0)
        gtk_widget_destroy(gtk_notebook_get_nth_page(notebook, 0));
    for (const std::string& url : soak.sets[set]) {
        GtkWidget* view = GTK_WIDGET(g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", soak.context, nullptr));
        gtk_widget_show(view);
        gtk_notebook_append_page(notebook, view, gtk_label_new(url.c_str()));
        webkit_web_view_load_uri(WEBKIT_WEB_VIEW(view), url.c_str());
    }
}

gboolean OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer data)
{
    if (!(event->state & GDK_MOD1_MASK) || (event->keyval != GDK_KEY_1 && event->keyval != GDK_KEY_2))
        return FALSE;
    OpenSet(*static_cast<Soak*>(data), event->keyval == GDK_KEY_1 ? 0 : 1);
    return TRUE;
}

} // namespace

int main(int argc, char** argv)
{
    // Read before GTK sees the arguments: its option parser drops the "--".
    Soak soak;
    int set = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--")
            set = 1;
        else
            soak.sets[set].push_back(argv[i]);
    }
    gtk_init(nullptr, nullptr);
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), "Bare WebKit Soak");
    gtk_window_set_default_size(GTK_WINDOW(window), 696, 423);
    soak.notebook = gtk_notebook_new();
    gtk_container_add(GTK_CONTAINER(window), soak.notebook);
    soak.context = webkit_web_context_new();
    webkit_web_context_set_sandbox_enabled(soak.context, TRUE);
    OpenSet(soak, 0);
    g_signal_connect(window, "key-press-event", G_CALLBACK(OnKeyPress), &soak);
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
    gtk_widget_show_all(window);
    gtk_main();
    g_object_unref(soak.context);
    return 0;
}
