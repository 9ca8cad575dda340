#include "WebKitDownloadWindow.h"

#include "ErrorReport.h"

#include <gtkmm.h>
#include <webkit2/webkit2.h>

#include <memory>

namespace platform {
namespace {

// A window with the file name, a progress bar and a Cancel/Close button.
// Deletes itself when closed; holds a reference on the download while it lives.
class DownloadProgressWindow : public Gtk::Window {
public:
    DownloadProgressWindow(WebKitDownload* download, const std::string& destination)
        : download_(WEBKIT_DOWNLOAD(g_object_ref(download))), box_(Gtk::ORIENTATION_VERTICAL, 6),
          label_(Glib::filename_display_basename(destination)), button_("_Cancel", true)
    {
        set_title("Download");
        set_default_size(360, -1);
        set_border_width(12);
        progress_.set_show_text(true);
        box_.pack_start(label_, Gtk::PACK_SHRINK);
        box_.pack_start(progress_, Gtk::PACK_SHRINK);
        button_.set_halign(Gtk::ALIGN_END);
        box_.pack_start(button_, Gtk::PACK_SHRINK);
        add(box_);
        button_.signal_clicked().connect([this] {
            if (finished_)
                hide();
            else
                webkit_download_cancel(download_);
        });
        signals_[0] = g_signal_connect(download_, "notify::estimated-progress", G_CALLBACK(OnProgress), this);
        signals_[1] = g_signal_connect(download_, "finished", G_CALLBACK(OnFinished), this);
        signals_[2] = g_signal_connect(download_, "failed", G_CALLBACK(OnFailed), this);
        show_all();
    }
    ~DownloadProgressWindow() override
    {
        for (gulong id : signals_)
            g_signal_handler_disconnect(download_, id);
        g_object_unref(download_);
    }

protected:
    void on_hide() override
    {
        Gtk::Window::on_hide();
        if (!finished_)
            webkit_download_cancel(download_);
        Glib::signal_idle().connect_once([this] { delete this; });
    }

private:
    static void OnProgress(WebKitDownload* download, GParamSpec*, gpointer data)
    {
        RunGuarded([&] {
            static_cast<DownloadProgressWindow*>(data)->progress_.set_fraction(
                webkit_download_get_estimated_progress(download));
        });
    }
    static void OnFinished(WebKitDownload*, gpointer data)
    {
        RunGuarded([&] {
            auto* self = static_cast<DownloadProgressWindow*>(data);
            if (!self->failed_) {
                self->progress_.set_fraction(1.0);
                self->progress_.set_text("Complete");
            }
            self->Finish();
        });
    }
    static void OnFailed(WebKitDownload*, GError* error, gpointer data)
    {
        RunGuarded([&] {
            auto* self = static_cast<DownloadProgressWindow*>(data);
            self->failed_ = true;
            self->progress_.set_text(error ? error->message : "Failed");
            self->Finish();
        });
    }
    void Finish()
    {
        finished_ = true;
        button_.set_label("_Close");
    }

    WebKitDownload* download_;
    gulong signals_[3] = {};
    bool finished_ = false;
    bool failed_ = false;
    Gtk::Box box_;
    Gtk::Label label_;
    Gtk::ProgressBar progress_;
    Gtk::Button button_;
};

gboolean OnDecideDestination(WebKitDownload* download, gchar* suggestedName, gpointer)
{
    gboolean handled = TRUE;
    RunGuarded([&] {
        Gtk::FileChooserDialog dialog("Save File", Gtk::FILE_CHOOSER_ACTION_SAVE);
        if (WebKitWebView* view = webkit_download_get_web_view(download)) {
            GtkWidget* toplevel = gtk_widget_get_toplevel(GTK_WIDGET(view));
            if (GTK_IS_WINDOW(toplevel))
                gtk_window_set_transient_for(GTK_WINDOW(dialog.gobj()), GTK_WINDOW(toplevel));
        }
        dialog.add_button("_Cancel", Gtk::RESPONSE_CANCEL);
        dialog.add_button("_Save", Gtk::RESPONSE_ACCEPT);
        dialog.set_default_response(Gtk::RESPONSE_ACCEPT);
        dialog.set_do_overwrite_confirmation(true);
        dialog.set_current_folder(Glib::get_user_special_dir(G_USER_DIRECTORY_DOWNLOAD).empty()
                                      ? Glib::get_home_dir()
                                      : Glib::get_user_special_dir(G_USER_DIRECTORY_DOWNLOAD));
        if (suggestedName && *suggestedName)
            dialog.set_current_name(suggestedName);
        if (dialog.run() != Gtk::RESPONSE_ACCEPT) {
            webkit_download_cancel(download);
            return;
        }
        const std::string path = dialog.get_filename();
        webkit_download_set_allow_overwrite(download, TRUE);
        webkit_download_set_destination(download, Glib::filename_to_uri(path).c_str());
        new DownloadProgressWindow(download, path);
    });
    return handled;
}

} // namespace

void HandleDownloadWithSaveAs(WebKitDownload* download)
{
    g_signal_connect(download, "decide-destination", G_CALLBACK(OnDecideDestination), nullptr);
}

} // namespace platform
