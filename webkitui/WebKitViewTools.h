#pragma once
// The engine's own tools on a page's view, for the keys the host leaves to
// the engine (WebKitKeys): find in page, with its bar made when first asked
// for (most pages never search), zoom in steps within bounds, and printing.
#include "WebKitKeys.h"

#include <gtkmm/box.h>

#include <memory>

typedef struct _WebKitWebView WebKitWebView;

namespace platform {

class WebKitFindBar;

class WebKitViewTools {
public:
    // Tools for view, which outlives them; the find bar goes at the top of container.
    WebKitViewTools(WebKitWebView* view, Gtk::Box& container);
    ~WebKitViewTools();
    WebKitViewTools(const WebKitViewTools&) = delete;
    WebKitViewTools& operator=(const WebKitViewTools&) = delete;

    // Runs command when it is one of the tools' (find, print, zoom); false otherwise.
    bool Run(EngineKeyCommand command);
    // Closes the find bar; false when it was not open.
    bool CloseFind();
    // Ctrl+scroll: up zooms in, down zooms out.
    void ZoomByScroll(const GdkEventScroll& event);

private:
    void Zoom(double factor);
    void Print();

    WebKitWebView* view_;
    Gtk::Box& container_;
    std::unique_ptr<WebKitFindBar> findBar_;
};

} // namespace platform
