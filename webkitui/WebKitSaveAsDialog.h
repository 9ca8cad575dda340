#pragma once
// Where to save one download: a save-as choice shown without a main loop of
// its own (the download waits for its destination), answered later. Its
// owner (WebKitDownloadList) hears the answer once.
#include "GObjectPtr.h"

#include <gtkmm/filechooserdialog.h>

#include <functional>
#include <optional>
#include <string>

typedef struct _WebKitDownload WebKitDownload;

namespace platform {

class WebKitSaveAsDialog : public Gtk::FileChooserDialog {
public:
    // The chosen file, or nothing when the user declined.
    using Answered = std::function<void(WebKitSaveAsDialog&, const std::optional<std::string>& path)>;
    WebKitSaveAsDialog(GObjectPtr<WebKitDownload> download, const char* suggestedName, Gtk::Window* owner,
                       Answered answered);

    const GObjectPtr<WebKitDownload>& Download() const { return download_; }

protected:
    void on_response(int response) override;

private:
    GObjectPtr<WebKitDownload> download_;
    Answered answered_;
};

} // namespace platform
