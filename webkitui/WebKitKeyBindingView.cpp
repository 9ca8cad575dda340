#include "WebKitKeyBindingView.h"

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <vector>

namespace platform {

void DestroyKeyBindingTextView(WebKitWebView* view)
{
    // The view's internal children are reached only through forall.
    std::vector<GtkWidget*> found;
    gtk_container_forall(
        GTK_CONTAINER(view),
        [](GtkWidget* child, gpointer list) {
            if (GTK_IS_TEXT_VIEW(child))
                static_cast<std::vector<GtkWidget*>*>(list)->push_back(child);
        },
        &found);
    for (GtkWidget* child : found)
        gtk_widget_destroy(child);
}

} // namespace platform
