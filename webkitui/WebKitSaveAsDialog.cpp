#include "WebKitSaveAsDialog.h"

#include "ErrorReport.h"

#include <glibmm/miscutils.h>

namespace platform {

WebKitSaveAsDialog::WebKitSaveAsDialog(GObjectPtr<WebKitDownload> download, const char* suggestedName,
                                       Gtk::Window* owner, Answered answered)
    : Gtk::FileChooserDialog("Save File", Gtk::FILE_CHOOSER_ACTION_SAVE),
      download_(std::move(download)),
      answered_(std::move(answered))
{
    if (owner)
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

void WebKitSaveAsDialog::on_response(int response)
{
    if (!answered_)
        return; // answered already
    const Answered answered = std::exchange(answered_, nullptr);
    std::optional<std::string> path;
    if (response == Gtk::RESPONSE_ACCEPT && !get_filename().empty())
        path = get_filename();
    hide();
    RunGuarded([&] { answered(*this, path); });
}

} // namespace platform
