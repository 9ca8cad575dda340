#include "WebKitDownloadList.h"

#include "ErrorReport.h"
#include "WebKitDownloadWindow.h"
#include "WebKitPageGuard.h"
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
    for (Queued& entry : queue_)
        g_signal_handler_disconnect(entry.download.get(), entry.finished);
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
        self->Route(std::move(taken), suggestedName ? suggestedName : "");
    } catch (...) {
        webkit_download_cancel(download); // never left waiting for an answer that cannot come
        ReportCurrentException();
    }
    return TRUE;
}

// The page that started the download says whether it goes on, waits for the
// user's answer in the page's bar, or is dropped; one no page started goes on.
void WebKitDownloadList::Route(GObjectPtr<WebKitDownload> download, std::string suggestedName)
{
    WebKitPageGuard* page = WebKitPageGuard::Of(webkit_download_get_web_view(download.get()));
    const char* uri = webkit_uri_request_get_uri(webkit_download_get_request(download.get()));
    switch (page ? page->VerdictFor(uri ? uri : "") : WebKitPageGuard::Verdict::Allow) {
    case WebKitPageGuard::Verdict::Allow: Enqueue(std::move(download), std::move(suggestedName)); break;
    case WebKitPageGuard::Verdict::Ask:
        page->Hold(std::move(download), std::move(suggestedName), sigc::mem_fun(*this, &WebKitDownloadList::Enqueue));
        break;
    case WebKitPageGuard::Verdict::Block: webkit_download_cancel(download.get()); break;
    }
}

void WebKitDownloadList::Enqueue(GObjectPtr<WebKitDownload> download, std::string suggestedName)
{
    const gulong finished = g_signal_connect(download.get(), "finished", G_CALLBACK(OnEndedQueued), this);
    queue_.push_back({std::move(download), std::move(suggestedName), finished});
    AskNext();
}

// One save-as choice at a time: the next waiting download asks once the one
// before has its answer.
void WebKitDownloadList::AskNext()
{
    if (!choices_.Items().empty() || queue_.empty())
        return;
    Queued next = std::move(queue_.front());
    queue_.pop_front();
    g_signal_handler_disconnect(next.download.get(), next.finished);
    WebKitDownload* download = next.download.get();
    choices_.Add(std::make_unique<WebKitSaveAsDialog>(
        std::move(next.download), next.suggestedName.c_str(), OwnerWindow(download),
        [this](WebKitSaveAsDialog& dialog, const std::optional<std::string>& path) { Answer(dialog, path); }));
}

// A waiting download that ended (cancelled, or failed) needs no turn.
void WebKitDownloadList::OnEndedQueued(WebKitDownload* download, gpointer data)
{
    auto& queue = static_cast<WebKitDownloadList*>(data)->queue_;
    const auto found =
        std::find_if(queue.begin(), queue.end(), [download](const Queued& entry) { return entry.download == download; });
    if (found == queue.end())
        return;
    g_signal_handler_disconnect(download, found->finished);
    queue.erase(found);
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
        AskNext();
        return;
    }
    webkit_download_set_allow_overwrite(download.get(), TRUE);
    webkit_download_set_destination(download.get(), Glib::filename_to_uri(*path).c_str());
    Gtk::Window* owner = OwnerWindow(download.get());
    windows_.Add(std::make_unique<WebKitDownloadWindow>(
        std::move(download), *path, owner, [this](WebKitDownloadWindow& window) { windows_.Release(window); }));
    AskNext();
}

} // namespace platform
