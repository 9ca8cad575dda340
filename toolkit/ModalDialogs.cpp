#include "ModalDialogs.h"

#include <gtk/gtk.h>

namespace platform {
namespace {

int CancelAnswerOf(GtkDialog* dialog)
{
    const bool onlyOk = gtk_dialog_get_widget_for_response(dialog, GTK_RESPONSE_OK) &&
                        !gtk_dialog_get_widget_for_response(dialog, GTK_RESPONSE_CANCEL);
    return onlyOk ? GTK_RESPONSE_OK : GTK_RESPONSE_CANCEL;
}

} // namespace

void AnswerModalDialogs()
{
    // An answer may hide or destroy other windows: each is held meanwhile.
    GList* windows = gtk_window_list_toplevels();
    for (GList* l = windows; l; l = l->next)
        g_object_ref(l->data);
    for (GList* l = windows; l; l = l->next) {
        GtkWindow* window = GTK_WINDOW(l->data);
        if (GTK_IS_DIALOG(window) && gtk_window_get_modal(window) && gtk_widget_get_visible(GTK_WIDGET(window)))
            gtk_dialog_response(GTK_DIALOG(window), CancelAnswerOf(GTK_DIALOG(window)));
    }
    g_list_free_full(windows, g_object_unref);
}

} // namespace platform
