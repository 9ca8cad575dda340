#pragma once
// Every download the engine started and the windows that show it: a save-as
// choice first (nothing is written before the user picks a file), then a
// progress window. The list owns them all; windows leave it when they close,
// and whatever is still open goes (a running download cancelled) with it.
#include "GObjectPtr.h"
#include "OwnerList.h"

#include <optional>
#include <string>
#include <vector>

typedef struct _WebKitDownload WebKitDownload;

namespace platform {

class WebKitDownloadWindow;
class WebKitSaveAsDialog;

class WebKitDownloadList {
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
    static gboolean OnDecideDestination(WebKitDownload* download, gchar* suggestedName, gpointer data);
    static void OnEndedUnasked(WebKitDownload* download, gpointer data);
    GObjectPtr<WebKitDownload> TakeStarting(WebKitDownload* download);
    void Answer(WebKitSaveAsDialog& dialog, const std::optional<std::string>& path);

    std::vector<Starting> starting_;
    OwnerList<WebKitSaveAsDialog> choices_;
    OwnerList<WebKitDownloadWindow> windows_;
};

} // namespace platform
