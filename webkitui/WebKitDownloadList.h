#pragma once
// Every download the engine started and the windows that show it: a save-as
// choice first (nothing is written before the user picks a file), one at a
// time while the others wait their turn, then a progress window. A download
// a page started by itself waits for the user's answer in the page's bar
// (WebKitPageGuard) before it is asked about. The list owns them all; windows
// leave it when they close, and whatever is still open goes (a running
// download cancelled) with it.
#include "GObjectPtr.h"
#include "OwnerList.h"

#include <sigc++/trackable.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

typedef struct _WebKitDownload WebKitDownload;

namespace platform {

class WebKitDownloadWindow;
class WebKitSaveAsDialog;

class WebKitDownloadList : public sigc::trackable {
public:
    WebKitDownloadList();
    ~WebKitDownloadList();
    WebKitDownloadList(const WebKitDownloadList&) = delete;
    WebKitDownloadList& operator=(const WebKitDownloadList&) = delete;

    // Takes a download that has just started; it asks where to save it.
    void Add(WebKitDownload* download);
    // Downloads whose progress window is open and which have not ended yet.
    int Running() const;

private:
    // A download until it asks where to save (or ends before it asks).
    struct Starting {
        GObjectPtr<WebKitDownload> download;
        gulong signals[2];
    };
    // A download waiting for its turn to ask where to save.
    struct Queued {
        GObjectPtr<WebKitDownload> download;
        std::string suggestedName;
        gulong finished;
    };
    static gboolean OnDecideDestination(WebKitDownload* download, gchar* suggestedName, gpointer data);
    static void OnEndedUnasked(WebKitDownload* download, gpointer data);
    static void OnEndedQueued(WebKitDownload* download, gpointer data);
    GObjectPtr<WebKitDownload> TakeStarting(WebKitDownload* download);
    void Route(GObjectPtr<WebKitDownload> download, std::string suggestedName);
    void Enqueue(GObjectPtr<WebKitDownload> download, std::string suggestedName);
    void AskNext();
    void Answer(WebKitSaveAsDialog& dialog, const std::optional<std::string>& path);

    std::vector<Starting> starting_;
    std::deque<Queued> queue_;
    OwnerList<WebKitSaveAsDialog> choices_; // one at a time
    OwnerList<WebKitDownloadWindow> windows_;
};

} // namespace platform
