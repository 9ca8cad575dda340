#include "ErrorReport.h"

#include <gtkmm.h>

#include <exception>

namespace platform {
namespace {

ErrorSink& Sink()
{
    static ErrorSink sink;
    return sink;
}

Gtk::Window* ActiveWindow()
{
    GList* windows = gtk_window_list_toplevels();
    GtkWindow* active = nullptr;
    for (GList* l = windows; l && !active; l = l->next) {
        GtkWindow* w = GTK_WINDOW(l->data);
        if (gtk_window_is_active(w) && gtk_widget_get_visible(GTK_WIDGET(w)))
            active = w;
    }
    g_list_free(windows);
    return active ? Glib::wrap(active) : nullptr;
}

void HandleEscapedException()
{
    ReportCurrentException();
}

} // namespace

void InstallDefaultErrorReport()
{
    Glib::add_exception_handler(sigc::ptr_fun(&HandleEscapedException));
}

void ShowMessageBox(const std::string& text)
{
    Gtk::MessageDialog box(text, false, Gtk::MESSAGE_ERROR, Gtk::BUTTONS_OK, true);
    box.set_title(Glib::get_application_name());
    if (Gtk::Window* parent = ActiveWindow())
        box.set_transient_for(*parent);
    box.set_position(Gtk::WIN_POS_CENTER_ON_PARENT);
    box.run();
}

std::string CurrentExceptionText()
{
    try {
        throw;
    } catch (const Glib::Error& e) {
        return e.what();
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "An unknown error occurred.";
    }
}

void ReportCurrentException()
{
    ReportError(CurrentExceptionText());
}

void ReportError(const std::string& text)
{
    try {
        if (Sink())
            Sink()(text);
        else
            ShowMessageBox(text);
    } catch (...) {
        // The report itself must never throw back into the main loop.
    }
}

ErrorSink SetErrorSink(ErrorSink sink)
{
    ErrorSink previous = std::move(Sink());
    Sink() = std::move(sink);
    return previous;
}

} // namespace platform
