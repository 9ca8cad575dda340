#include "ErrorReport.h"

#include "DialogBorder.h"
#include "GObjectPtr.h"
#include "OwnerList.h"

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
    const GListPtr windows(gtk_window_list_toplevels());
    GtkWindow* active = nullptr;
    for (GList* l = windows.get(); l && !active; l = l->next) {
        GtkWindow* w = GTK_WINDOW(l->data);
        if (gtk_window_is_active(w) && gtk_widget_get_visible(GTK_WIDGET(w)))
            active = w;
    }
    // No window has the focus: the box still belongs to the program's main
    // window (a shown window that belongs to no other).
    for (GList* l = windows.get(); l && !active; l = l->next) {
        GtkWindow* w = GTK_WINDOW(l->data);
        if (gtk_widget_get_visible(GTK_WIDGET(w)) && !gtk_window_get_transient_for(w) &&
            gtk_window_get_window_type(w) == GTK_WINDOW_TOPLEVEL)
            active = w;
    }
    return active ? Glib::wrap(active) : nullptr;
}

void HandleEscapedException()
{
    ReportCurrentException();
}

// The report boxes on show, each until it is answered; those still open
// when the program ends go with it.
OwnerList<Gtk::MessageDialog>& ShownReports()
{
    static OwnerList<Gtk::MessageDialog> reports;
    return reports;
}

// The report's box: modal to the program's active window, but shown without a
// main loop of its own, so the code that reported (often a WebKit signal
// handler) has long returned when the user answers.
void ShowReportBox(const std::string& text)
{
    Gtk::MessageDialog& box = ShownReports().Add(
        std::make_unique<Gtk::MessageDialog>(text, false, Gtk::MESSAGE_ERROR, Gtk::BUTTONS_OK, true));
    box.set_title(Glib::get_application_name());
    if (Gtk::Window* parent = ActiveWindow())
        box.set_transient_for(*parent);
    box.set_position(Gtk::WIN_POS_CENTER_ON_PARENT);
    box.signal_response().connect([&box](int) {
        box.hide();
        ShownReports().Release(box);
    });
    box.show();
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
    SetDialogBorder(box);
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
        return "An unknown error occurred."; // reported with this text
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
            Glib::signal_idle().connect_once([text] {
                try {
                    ShowReportBox(text);
                } catch (...) {
                    // A box that cannot be made has nowhere left to be reported.
                }
            });
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
