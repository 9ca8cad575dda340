// The reference for opening a page set: a bare WebKitGTK program showing the
// URLs given on its command line, one web view per notebook tab. With --lazy
// first, only the shown tab's view loads; the others load when chosen.
#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <cstring>

namespace {

void LoadWhenShown(GtkNotebook*, GtkWidget* view, guint, gpointer)
{
    WebKitWebView* web = WEBKIT_WEB_VIEW(view);
    const char* url = static_cast<const char*>(g_object_get_data(G_OBJECT(view), "url"));
    if (url && !webkit_web_view_get_uri(web))
        webkit_web_view_load_uri(web, url);
}

} // namespace

int main(int argc, char** argv)
{
    gtk_init(&argc, &argv);
    const bool lazy = argc > 1 && std::strcmp(argv[1], "--lazy") == 0;
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), "Bare WebKit Tabs");
    gtk_window_set_default_size(GTK_WINDOW(window), 696, 423);
    GtkWidget* notebook = gtk_notebook_new();
    gtk_container_add(GTK_CONTAINER(window), notebook);
    WebKitWebContext* context = webkit_web_context_new();
    webkit_web_context_set_sandbox_enabled(context, TRUE);
    for (int i = lazy ? 2 : 1; i < argc; ++i) {
        GtkWidget* view = GTK_WIDGET(g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", context, nullptr));
        gtk_notebook_append_page(GTK_NOTEBOOK(notebook), view, gtk_label_new(argv[i]));
        if (lazy)
            g_object_set_data(G_OBJECT(view), "url", argv[i]);
        if (!lazy || i == 2)
            webkit_web_view_load_uri(WEBKIT_WEB_VIEW(view), argv[i]);
    }
    if (lazy)
        g_signal_connect(notebook, "switch-page", G_CALLBACK(LoadWhenShown), nullptr);
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
    gtk_widget_show_all(window);
    gtk_main();
    return 0;
}
