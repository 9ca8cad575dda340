#include "WebKitDownloadWindow.h"

#include "DownloadFigures.h"
#include "ErrorReport.h"
#include "ShellOpen.h"
#include "WebKitEngine.h"

#include <gtkmm.h>
#include <webkit2/webkit2.h>

#include <chrono>
#include <deque>

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;
// The speed is what arrived over the last few seconds, so it follows the line.
constexpr auto kSpeedWindow = std::chrono::seconds(3);
constexpr unsigned kRefreshMilliseconds = 500;

// The window the download's page lives in, if any.
Gtk::Window* OwnerWindow(WebKitDownload* download)
{
    WebKitWebView* view = webkit_download_get_web_view(download);
    GtkWidget* toplevel = view ? gtk_widget_get_toplevel(GTK_WIDGET(view)) : nullptr;
    return toplevel && GTK_IS_WINDOW(toplevel) ? Glib::wrap(GTK_WINDOW(toplevel)) : nullptr;
}

// One download's window. Deletes itself when closed; holds a reference on
// the download while it lives; closing it while running cancels the download.
class DownloadProgressWindow : public Gtk::Window {
public:
    DownloadProgressWindow(WebKitDownload* download, const std::string& destination, Gtk::Window* owner)
        : download_(WEBKIT_DOWNLOAD(g_object_ref(download))),
          destination_(destination),
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

        cancel_.signal_clicked().connect([this] { webkit_download_cancel(download_); });
        close_.signal_clicked().connect([this] { hide(); });
        open_.signal_clicked().connect([this] { ShellOpen(Glib::filename_to_uri(destination_)); });
        showInFolder_.signal_clicked().connect(
            [this] { ShellOpen(Glib::filename_to_uri(Glib::path_get_dirname(destination_))); });
        signals_[0] = g_signal_connect(download_, "received-data", G_CALLBACK(OnReceivedData), this);
        signals_[1] = g_signal_connect(download_, "finished", G_CALLBACK(OnFinished), this);
        signals_[2] = g_signal_connect(download_, "failed", G_CALLBACK(OnFailed), this);
        refresh_ = Glib::signal_timeout().connect(
            [this] {
                ShowFigures();
                return true;
            },
            kRefreshMilliseconds);
        started_ = Clock::now();
        samples_.push_back({started_, 0});
        ShowFigures();
        show_all();
        open_.hide();
        showInFolder_.hide();
        close_.hide();
    }
    ~DownloadProgressWindow() override
    {
        refresh_.disconnect();
        for (gulong id : signals_)
            g_signal_handler_disconnect(download_, id);
        g_object_unref(download_);
    }

    bool Running() const { return !finished_; }

protected:
    void on_hide() override
    {
        Gtk::Window::on_hide();
        if (!finished_)
            webkit_download_cancel(download_);
        Glib::signal_idle().connect_once([this] { delete this; });
    }

private:
    struct Sample {
        Clock::time_point when;
        std::uint64_t received;
    };

    std::uint64_t Received() const { return webkit_download_get_received_data_length(download_); }
    std::uint64_t Total() const
    {
        WebKitURIResponse* response = webkit_download_get_response(download_);
        return response ? webkit_uri_response_get_content_length(response) : 0;
    }
    double BytesPerSecond() const
    {
        if (samples_.size() < 2)
            return 0;
        const double seconds = std::chrono::duration<double>(samples_.back().when - samples_.front().when).count();
        return seconds > 0 ? static_cast<double>(samples_.back().received - samples_.front().received) / seconds : 0;
    }
    void TakeSample()
    {
        const auto now = Clock::now();
        samples_.push_back({now, Received()});
        while (samples_.size() > 2 && now - samples_[1].when > kSpeedWindow)
            samples_.pop_front();
    }
    void ShowFigures()
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

    static void OnReceivedData(WebKitDownload*, guint64, gpointer data)
    {
        RunGuarded([&] { static_cast<DownloadProgressWindow*>(data)->TakeSample(); });
    }
    static void OnFinished(WebKitDownload*, gpointer data)
    {
        RunGuarded([&] { static_cast<DownloadProgressWindow*>(data)->Finish(); });
    }
    static void OnFailed(WebKitDownload*, GError* error, gpointer data)
    {
        RunGuarded([&] {
            auto* self = static_cast<DownloadProgressWindow*>(data);
            self->failed_ = true;
            self->figures_.set_text(error ? error->message : "Failed");
            self->Finish();
        });
    }
    // "finished" follows "failed" too; the first one counts.
    void Finish()
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

    WebKitDownload* download_;
    std::string destination_;
    gulong signals_[3] = {};
    bool finished_ = false;
    bool failed_ = false;
    Clock::time_point started_;
    std::deque<Sample> samples_;
    sigc::connection refresh_;
    Gtk::Box box_;
    Gtk::Box buttons_;
    Gtk::Label name_;
    Gtk::ProgressBar progress_;
    Gtk::Label figures_;
    Gtk::Button cancel_;
    Gtk::Button open_;
    Gtk::Button showInFolder_;
    Gtk::Button close_;
};

// The save-as dialog for one download: shown without a main loop of its own
// (the download waits for its destination), answered later. Deletes itself;
// holds a reference on the download until answered.
class SaveAsDialog : public Gtk::FileChooserDialog {
public:
    SaveAsDialog(WebKitDownload* download, const char* suggestedName)
        : Gtk::FileChooserDialog("Save File", Gtk::FILE_CHOOSER_ACTION_SAVE),
          download_(WEBKIT_DOWNLOAD(g_object_ref(download)))
    {
        if (Gtk::Window* owner = OwnerWindow(download))
            set_transient_for(*owner);
        set_modal(true);
        add_button("_Cancel", Gtk::RESPONSE_CANCEL);
        add_button("_Save", Gtk::RESPONSE_ACCEPT);
        set_default_response(Gtk::RESPONSE_ACCEPT);
        set_do_overwrite_confirmation(true);
        const std::string downloads = Glib::get_user_special_dir(G_USER_DIRECTORY_DOWNLOAD);
        set_current_folder(downloads.empty() ? Glib::get_home_dir() : downloads);
        if (suggestedName && *suggestedName)
            set_current_name(suggestedName);
        show();
    }
    ~SaveAsDialog() override { g_object_unref(download_); }

protected:
    void on_response(int response) override
    {
        if (answered_)
            return;
        answered_ = true;
        RunGuarded([&] {
            if (response == Gtk::RESPONSE_ACCEPT && !get_filename().empty()) {
                const std::string path = get_filename();
                webkit_download_set_allow_overwrite(download_, TRUE);
                webkit_download_set_destination(download_, Glib::filename_to_uri(path).c_str());
                // asked afresh: the page may have closed while the dialog was open
                new DownloadProgressWindow(download_, path, OwnerWindow(download_));
            } else {
                webkit_download_cancel(download_);
            }
        });
        hide();
        Glib::signal_idle().connect_once([this] { delete this; });
    }

private:
    WebKitDownload* download_;
    bool answered_ = false;
};

// Answers at once that the destination comes later, from the dialog.
gboolean OnDecideDestination(WebKitDownload* download, gchar* suggestedName, gpointer)
{
    try {
        new SaveAsDialog(download, suggestedName);
    } catch (...) {
        webkit_download_cancel(download); // never left waiting for an answer that cannot come
        ReportCurrentException();
    }
    return TRUE;
}

} // namespace

void HandleDownloadWithSaveAs(WebKitDownload* download)
{
    g_signal_connect(download, "decide-destination", G_CALLBACK(OnDecideDestination), nullptr);
}

int RunningWebKitDownloads()
{
    int running = 0;
    for (Gtk::Window* window : Gtk::Window::list_toplevels())
        if (auto* progress = dynamic_cast<DownloadProgressWindow*>(window); progress && progress->Running())
            ++running;
    return running;
}

} // namespace platform
