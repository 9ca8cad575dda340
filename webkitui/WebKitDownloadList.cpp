#include "WebKitDownloadList.h"

#include "ErrorReport.h"
#include "WebKitDownloadWindow.h"
#include "WebKitSaveAsDialog.h"

#include <glibmm/miscutils.h>
#include <gtkmm/window.h>
#include <webkit2/webkit2.h>

#include <algorithm>

namespace platform {
namespace {

// The window the download's page lives in, if any (asked afresh each time:
// the page may have closed meanwhile).
Gtk::Window* OwnerWindow(WebKitDownload* download)
{
    WebKitWebView* view = webkit_download_get_web_view(download);
    GtkWidget* toplevel = view ? gtk_widget_get_toplevel(GTK_WIDGET(view)) : nullptr;
    return toplevel && GTK_IS_WINDOW(toplevel) ? Glib::wrap(GTK_WINDOW(toplevel)) : nullptr;
}

} // namespace

WebKitDownloadList::WebKitDownloadList() = default;

WebKitDownloadList::~WebKitDownloadList()
{
    for (Starting& entry : starting_)
        for (gulong id : entry.signals)
            g_signal_handler_disconnect(entry.download.get(), id);
}

void WebKitDownloadList::Add(WebKitDownload* download)
{
    Starting entry{GObjectPtr<WebKitDownload>::Ref(download), {}};
    entry.signals[0] = g_signal_connect(download, "decide-destination", G_CALLBACK(OnDecideDestination), this);
    entry.signals[1] = g_signal_connect(download, "finished", G_CALLBACK(OnEndedUnasked), this);
    starting_.push_back(std::move(entry));
}

int WebKitDownloadList::Running() const
{
    return static_cast<int>(std::count_if(windows_.Items().begin(), windows_.Items().end(),
                                          [](const auto& window) { return window->Running(); }));
}

GObjectPtr<WebKitDownload> WebKitDownloadList::TakeStarting(WebKitDownload* download)
{
    auto found = std::find_if(starting_.begin(), starting_.end(),
                              [download](const Starting& entry) { return entry.download == download; });
    if (found == starting_.end())
        return nullptr;
    for (gulong id : found->signals)
        g_signal_handler_disconnect(download, id);
    GObjectPtr<WebKitDownload> taken = std::move(found->download);
    starting_.erase(found);
    return taken;
}

// Answers at once that the destination comes later, from the save-as choice.
gboolean WebKitDownloadList::OnDecideDestination(WebKitDownload* download, gchar* suggestedName, gpointer data)
{
    auto* self = static_cast<WebKitDownloadList*>(data);
    try {
        GObjectPtr<WebKitDownload> taken = self->TakeStarting(download);
        if (!taken)
            taken = GObjectPtr<WebKitDownload>::Ref(download);
        self->choices_.Add(std::make_unique<WebKitSaveAsDialog>(
            std::move(taken), suggestedName, OwnerWindow(download),
            [self](WebKitSaveAsDialog& dialog, const std::optional<std::string>& path) { self->Answer(dialog, path); }));
    } catch (...) {
        webkit_download_cancel(download); // never left waiting for an answer that cannot come
        ReportCurrentException();
    }
    return TRUE;
}

// A download that ended before it asked where to save needs nothing more.
void WebKitDownloadList::OnEndedUnasked(WebKitDownload* download, gpointer data)
{
    static_cast<WebKitDownloadList*>(data)->TakeStarting(download);
}

void WebKitDownloadList::Answer(WebKitSaveAsDialog& dialog, const std::optional<std::string>& path)
{
    GObjectPtr<WebKitDownload> download = dialog.Download();
    choices_.Release(dialog);
    if (!path) {
        webkit_download_cancel(download.get());
        return;
    }
    webkit_download_set_allow_overwrite(download.get(), TRUE);
    webkit_download_set_destination(download.get(), Glib::filename_to_uri(*path).c_str());
    Gtk::Window* owner = OwnerWindow(download.get());
    windows_.Add(std::make_unique<WebKitDownloadWindow>(
        std::move(download), *path, owner, [this](WebKitDownloadWindow& window) { windows_.Release(window); }));
}

} // namespace platform
