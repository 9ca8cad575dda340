#pragma once
// One download's progress window, over the window the download came from:
// the file's name, its size, the speed and the time left; when done it offers
// Open and Show in Folder. Closing it while the download runs cancels the
// download. Its owner (WebKitDownloadList) hears when it closes.
#include "GObjectPtr.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>
#include <gtkmm/progressbar.h>
#include <gtkmm/window.h>

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>

typedef struct _WebKitDownload WebKitDownload;

namespace platform {

class WebKitDownloadWindow : public Gtk::Window {
public:
    using Closed = std::function<void(WebKitDownloadWindow&)>;
    // Shows the window for download, which saves to destination.
    WebKitDownloadWindow(GObjectPtr<WebKitDownload> download, const std::string& destination, Gtk::Window* owner,
                         Closed closed);
    // A download still running when its window goes is cancelled.
    ~WebKitDownloadWindow() override;

    // Saving, not ended, and its window not closed.
    bool Running() const { return !finished_; }

protected:
    void on_hide() override;

private:
    using Clock = std::chrono::steady_clock;
    struct Sample {
        Clock::time_point when;
        std::uint64_t received;
    };

    std::uint64_t Received() const;
    std::uint64_t Total() const;
    double BytesPerSecond() const;
    void TakeSample();
    void ShowFigures();
    void Finish();
    void StopWatching();

    static void OnReceivedData(WebKitDownload*, guint64, gpointer data);
    static void OnFinished(WebKitDownload*, gpointer data);
    static void OnFailed(WebKitDownload*, GError* error, gpointer data);

    GObjectPtr<WebKitDownload> download_;
    std::string destination_;
    Closed closed_;
    gulong signals_[3] = {};
    bool finished_ = false;
    bool failed_ = false;
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

} // namespace platform
