#include "WebKitPageGuard.h"

#include "ErrorReport.h"

#include <webkit2/webkit2.h>

#include <algorithm>

namespace platform {
namespace {

constexpr const char* kGuardKey = "pandrel-page-guard";
constexpr std::size_t kNavigationsKept = 32;
constexpr const char* kProgramText = "This page tried to open another program";
constexpr const char* kProgramDetail = "Links to other programs open only when you click them.";
constexpr const char* kDownloadText = "This page wants to download files";

std::string WaitingText(std::size_t count)
{
    return count == 1 ? "1 file is waiting." : std::to_string(count) + " files are waiting.";
}

} // namespace

WebKitPageGuard::WebKitPageGuard(WebKitWebView* view, Gtk::Box& container)
    : view_(GObjectPtr<WebKitWebView>::Ref(view)),
      gate_(view),
      programBar_(Gtk::MESSAGE_WARNING, "dialog-warning", kProgramText),
      downloadBar_(Gtk::MESSAGE_QUESTION, "document-save", kDownloadText)
{
    programBar_.set_show_close_button(true);
    programBar_.signal_response().connect([this](int) { programBar_.hide(); });
    downloadBar_.add_button("_Allow", Gtk::RESPONSE_ACCEPT);
    downloadBar_.add_button("_Block", Gtk::RESPONSE_REJECT);
    downloadBar_.signal_response().connect([this](int response) {
        RunGuarded([&] { Answered(response == Gtk::RESPONSE_ACCEPT ? Answer::Allowed : Answer::Blocked); });
    });
    container.pack_start(programBar_, Gtk::PACK_SHRINK);
    container.pack_start(downloadBar_, Gtk::PACK_SHRINK);
    g_object_set_data(G_OBJECT(view), kGuardKey, this);
    signals_[0] = g_signal_connect(view, "load-changed", G_CALLBACK(OnLoadChanged), this);
    signals_[1] = g_signal_connect(view, "context-menu", G_CALLBACK(OnContextMenu), this);
}

WebKitPageGuard::~WebKitPageGuard()
{
    for (gulong id : signals_)
        if (g_signal_handler_is_connected(view_.get(), id))
            g_signal_handler_disconnect(view_.get(), id);
    if (Of(view_.get()) == this)
        g_object_set_data(G_OBJECT(view_.get()), kGuardKey, nullptr);
    for (Waiting& waiting : waiting_)
        webkit_download_cancel(waiting.download.get());
}

WebKitPageGuard* WebKitPageGuard::Of(WebKitWebView* view)
{
    return view ? static_cast<WebKitPageGuard*>(g_object_get_data(G_OBJECT(view), kGuardKey)) : nullptr;
}

void WebKitPageGuard::RefuseProgram()
{
    programBar_.Show(kProgramDetail);
}

void WebKitPageGuard::NoteNavigation(const std::string& url, Start start)
{
    navigations_.emplace_back(url, start);
    if (navigations_.size() > kNavigationsKept)
        navigations_.pop_front();
}

void WebKitPageGuard::NoteRedirect(const std::string& url)
{
    NoteNavigation(url, navigations_.empty() ? Start::ByPage : navigations_.back().second);
}

WebKitPageGuard::Verdict WebKitPageGuard::VerdictFor(const std::string& url)
{
    const auto noted = std::find_if(navigations_.rbegin(), navigations_.rend(),
                                    [&](const auto& navigation) { return navigation.first == url; });
    const Start start = noted == navigations_.rend() ? Start::ByPage : noted->second;
    if (start == Start::ByHost || (start == Start::ByGesture && gate_.TakeGesture()))
        return Verdict::Allow;
    switch (answer_) {
    case Answer::Allowed: return Verdict::Allow;
    case Answer::Blocked: return Verdict::Block;
    case Answer::None: break;
    }
    return Verdict::Ask;
}

void WebKitPageGuard::Hold(GObjectPtr<WebKitDownload> download, std::string suggestedName, Allowed allowed)
{
    waiting_.push_back({std::move(download), std::move(suggestedName), std::move(allowed)});
    downloadBar_.Show(WaitingText(waiting_.size()));
}

void WebKitPageGuard::Answered(Answer answer)
{
    answer_ = answer;
    downloadBar_.hide();
    std::vector<Waiting> answered = std::exchange(waiting_, {});
    for (Waiting& waiting : answered) {
        if (answer == Answer::Allowed && !waiting.allowed.empty())
            waiting.allowed(std::move(waiting.download), std::move(waiting.name));
        else
            webkit_download_cancel(waiting.download.get());
    }
}

// A new page in the view: what the last one tried, and the answer about it, are over.
void WebKitPageGuard::NewPage()
{
    programBar_.hide();
    Answered(Answer::Blocked);
    answer_ = Answer::None;
}

void WebKitPageGuard::OnLoadChanged(WebKitWebView*, int event, gpointer data)
{
    if (event == WEBKIT_LOAD_COMMITTED)
        RunGuarded([&] { static_cast<WebKitPageGuard*>(data)->NewPage(); });
}

// What the user downloads from the view's own menu is the user's own request.
gboolean WebKitPageGuard::OnContextMenu(WebKitWebView*, WebKitContextMenu*, GdkEvent*, WebKitHitTestResult* hit,
                                        gpointer data)
{
    RunGuarded([&] {
        auto* self = static_cast<WebKitPageGuard*>(data);
        for (const char* uri : {webkit_hit_test_result_get_link_uri(hit), webkit_hit_test_result_get_image_uri(hit),
                                webkit_hit_test_result_get_media_uri(hit)})
            if (uri)
                self->NoteNavigation(uri, Start::ByGesture);
    });
    return FALSE; // the menu shows as usual
}

} // namespace platform
