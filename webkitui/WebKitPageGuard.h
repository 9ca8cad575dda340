#pragma once
// What a page's view may do only when the user asks: open a window, start
// another program, download a file (one of them per gesture, WebKitGestureGate).
// What the page tries by itself is refused and said in a bar above the view:
// another program is never started; a download waits for the user's answer
// ("Allow" or "Block"), asked once for each page the view shows. Each guarded
// view (a page's, a window's that a page opened) finds its guard through Of.
#include "GObjectPtr.h"
#include "WebKitGestureGate.h"
#include "WebKitPageNotice.h"

#include <gtkmm/box.h>
#include <sigc++/functors/slot.h>

#include <deque>
#include <string>
#include <utility>
#include <vector>

typedef struct _WebKitContextMenu WebKitContextMenu;
typedef struct _WebKitDownload WebKitDownload;
typedef struct _WebKitHitTestResult WebKitHitTestResult;

namespace platform {

class WebKitPageGuard {
public:
    // How a navigation of the view started.
    enum class Start { ByPage, ByGesture, ByHost };
    enum class Verdict { Allow, Ask, Block };
    // Where a download goes once the user allows it.
    using Allowed = sigc::slot<void(GObjectPtr<WebKitDownload>, std::string suggestedName)>;

    // Guards view; its bars go at the end of container's start, before the view.
    WebKitPageGuard(WebKitWebView* view, Gtk::Box& container);
    ~WebKitPageGuard();
    WebKitPageGuard(const WebKitPageGuard&) = delete;
    WebKitPageGuard& operator=(const WebKitPageGuard&) = delete;

    // The guard of view, or null when it has none.
    static WebKitPageGuard* Of(WebKitWebView* view);

    WebKitGestureGate& Gate() { return gate_; }
    // Says in a bar that the page tried to start another program by itself.
    void RefuseProgram();

    // Notes how a navigation to url started, for the download it may become;
    // a server's redirect goes on as the navigation it redirects.
    void NoteNavigation(const std::string& url, Start start);
    void NoteRedirect(const std::string& url);
    // What becomes of a download the view started for url: the host's and the
    // user's (one per gesture) go on; the page's own go on once the user has
    // allowed them for this page, are dropped once blocked, else are asked about.
    Verdict VerdictFor(const std::string& url);
    // Keeps a download until the user answers the bar's question; an allowed
    // one goes to allowed, a blocked one is cancelled.
    void Hold(GObjectPtr<WebKitDownload> download, std::string suggestedName, Allowed allowed);

private:
    enum class Answer { None, Allowed, Blocked };
    struct Waiting {
        GObjectPtr<WebKitDownload> download;
        std::string name;
        Allowed allowed;
    };
    void Answered(Answer answer);
    void NewPage();
    static void OnLoadChanged(WebKitWebView*, int event, gpointer data);
    static gboolean OnContextMenu(WebKitWebView*, WebKitContextMenu*, GdkEvent*, WebKitHitTestResult* hit, gpointer data);

    GObjectPtr<WebKitWebView> view_;
    WebKitGestureGate gate_;
    WebKitPageNotice programBar_;
    WebKitPageNotice downloadBar_;
    gulong signals_[2] = {};
    std::deque<std::pair<std::string, Start>> navigations_; // the latest few
    Answer answer_ = Answer::None;
    std::vector<Waiting> waiting_;
};

} // namespace platform
