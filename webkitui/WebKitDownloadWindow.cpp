#include "WebKitDownloadWindow.h"

#include "DownloadFigures.h"
#include "ErrorReport.h"
#include "ShellOpen.h"

#include <glibmm/main.h>
#include <glibmm/miscutils.h>
#include <webkit2/webkit2.h>

namespace platform {
namespace {

// The speed is what arrived over the last few seconds, so it follows the line.
constexpr auto kSpeedWindow = std::chrono::seconds(3);
constexpr unsigned kRefreshMilliseconds = 500;

} // namespace

WebKitDownloadWindow::WebKitDownloadWindow(GObjectPtr<WebKitDownload> download, const std::string& destination,
                                           Gtk::Window* owner, Closed closed)
    : download_(std::move(download)),
      destination_(destination),
      closed_(std::move(closed)),
      box_(Gtk::ORIENTATION_VERTICAL, 6),
      buttons_(Gtk::ORIENTATION_HORIZONTAL, 6),
      name_(Glib::filename_display_basename(destination), Gtk::ALIGN_START),
      cancel_("_Cancel", true),
      open_("_Open", true),
      showInFolder_("Show in _Folder", true),
      close_("C_lose", true)
{
    set_title("Download");
    set_default_size(380, -1);
    set_border_width(12);
    set_type_hint(Gdk::WINDOW_TYPE_HINT_DIALOG);
    // Over the window it came from, and stacked with it.
    if (owner) {
        set_transient_for(*owner);
        set_position(Gtk::WIN_POS_CENTER_ON_PARENT);
    } else {
        set_position(Gtk::WIN_POS_CENTER);
    }
    name_.set_ellipsize(Pango::ELLIPSIZE_MIDDLE);
    name_.set_tooltip_text(destination);
    figures_.set_halign(Gtk::ALIGN_START);
    progress_.set_show_text(false);
    atk_object_set_name(gtk_widget_get_accessible(GTK_WIDGET(progress_.gobj())), "Download progress");
    box_.pack_start(name_, Gtk::PACK_SHRINK);
    box_.pack_start(progress_, Gtk::PACK_SHRINK);
    box_.pack_start(figures_, Gtk::PACK_SHRINK);
    for (Gtk::Button* button : {&open_, &showInFolder_, &close_, &cancel_})
        buttons_.pack_end(*button, Gtk::PACK_SHRINK);
    box_.pack_start(buttons_, Gtk::PACK_SHRINK);
    add(box_);

    cancel_.signal_clicked().connect([this] { webkit_download_cancel(download_.get()); });
    close_.signal_clicked().connect([this] { hide(); });
    open_.signal_clicked().connect([this] { ShellOpen(Glib::filename_to_uri(destination_)); });
    showInFolder_.signal_clicked().connect(
        [this] { ShellOpen(Glib::filename_to_uri(Glib::path_get_dirname(destination_))); });
    signals_[0] = g_signal_connect(download_.get(), "received-data", G_CALLBACK(OnReceivedData), this);
    signals_[1] = g_signal_connect(download_.get(), "finished", G_CALLBACK(OnFinished), this);
    signals_[2] = g_signal_connect(download_.get(), "failed", G_CALLBACK(OnFailed), this);
    refresh_ = Glib::signal_timeout().connect(
        [this] {
            ShowFigures();
            return true;
        },
        kRefreshMilliseconds);
    samples_.push_back({Clock::now(), 0});
    ShowFigures();
    show_all();
    open_.hide();
    showInFolder_.hide();
    close_.hide();
}

WebKitDownloadWindow::~WebKitDownloadWindow()
{
    StopWatching();
    for (gulong id : signals_)
        g_signal_handler_disconnect(download_.get(), id);
}

// Closed by the user (or the window manager): a running download ends with
// its window, and the owner lets the window go.
void WebKitDownloadWindow::on_hide()
{
    Gtk::Window::on_hide();
    StopWatching();
    closed_(*this);
}

// The download ends here unless it ended already; it is no longer running.
void WebKitDownloadWindow::StopWatching()
{
    refresh_.disconnect();
    if (!finished_)
        webkit_download_cancel(download_.get());
    finished_ = true;
}

std::uint64_t WebKitDownloadWindow::Received() const
{
    return webkit_download_get_received_data_length(download_.get());
}

std::uint64_t WebKitDownloadWindow::Total() const
{
    WebKitURIResponse* response = webkit_download_get_response(download_.get());
    return response ? webkit_uri_response_get_content_length(response) : 0;
}

double WebKitDownloadWindow::BytesPerSecond() const
{
    if (samples_.size() < 2)
        return 0;
    const double seconds = std::chrono::duration<double>(samples_.back().when - samples_.front().when).count();
    return seconds > 0 ? static_cast<double>(samples_.back().received - samples_.front().received) / seconds : 0;
}

void WebKitDownloadWindow::TakeSample()
{
    const auto now = Clock::now();
    samples_.push_back({now, Received()});
    while (samples_.size() > 2 && now - samples_[1].when > kSpeedWindow)
        samples_.pop_front();
}

void WebKitDownloadWindow::ShowFigures()
{
    if (finished_)
        return;
    TakeSample();
    const std::uint64_t received = Received();
    const std::uint64_t total = Total();
    const double speed = BytesPerSecond();
    std::string text = DownloadSizeText(received, total);
    for (const std::string& part : {DownloadSpeedText(speed), DownloadTimeLeftText(received, total, speed)})
        if (!part.empty())
            text += " \u2014 " + part;
    figures_.set_text(text);
    if (total > 0)
        progress_.set_fraction(static_cast<double>(received) / static_cast<double>(total));
    else
        progress_.pulse();
}

void WebKitDownloadWindow::OnReceivedData(WebKitDownload*, guint64, gpointer data)
{
    RunGuarded([&] { static_cast<WebKitDownloadWindow*>(data)->TakeSample(); });
}

void WebKitDownloadWindow::OnFinished(WebKitDownload*, gpointer data)
{
    RunGuarded([&] { static_cast<WebKitDownloadWindow*>(data)->Finish(); });
}

void WebKitDownloadWindow::OnFailed(WebKitDownload*, GError* error, gpointer data)
{
    RunGuarded([&] {
        auto* self = static_cast<WebKitDownloadWindow*>(data);
        self->failed_ = true;
        self->figures_.set_text(error ? error->message : "Failed");
        self->Finish();
    });
}

// "finished" follows "failed" too; the first one counts.
void WebKitDownloadWindow::Finish()
{
    if (finished_)
        return;
    finished_ = true;
    refresh_.disconnect();
    cancel_.hide();
    close_.show();
    if (!failed_) {
        progress_.set_fraction(1.0);
        figures_.set_text(DownloadSizeText(Received(), 0) + " \u2014 Complete");
        open_.show();
        showInFolder_.show();
        open_.grab_focus();
    } else {
        close_.grab_focus();
    }
}

} // namespace platform
