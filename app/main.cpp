// Pandrel: a tabbed front end for the desktop's web-browser engine.
#include "ErrorReport.h"
#include "Program.h"
#include "ProgramIdentity.h"
#include "RegistryStore.h"
#include "WebKitEngine.h"

#include <glib-unix.h>
#include <glibmm/miscutils.h>
#include <gtkmm/application.h>

#include <string>
#include <vector>

namespace {

// Every window of the program carries the program's icon.
void SetProgramIcon()
{
    std::vector<Glib::RefPtr<Gdk::Pixbuf>> icons;
    for (int size : {16, 32, 48, 64, 128, 256})
        icons.push_back(Gdk::Pixbuf::create_from_resource(
            platform::ResourcePath("icons/pandrel-" + std::to_string(size) + ".png")));
    Gtk::Window::set_default_icon_list(icons);
}

// A request to end (the session closing, a plain kill) closes the main window
// the usual way, so the pages are saved.
void CloseOnTerminationRequest(TfrmMain& frmMain)
{
    auto closeMain = [](gpointer window) -> gboolean {
        platform::RunGuarded([window] { static_cast<TfrmMain*>(window)->itmQuitClick(); });
        return G_SOURCE_CONTINUE;
    };
    g_unix_signal_add(SIGTERM, closeMain, &frmMain);
    g_unix_signal_add(SIGHUP, closeMain, &frmMain);
}

} // namespace

int main(int argc, char** argv)
{
    // The windows' WM_CLASS, which the desktop entry's StartupWMClass names.
    g_set_prgname("com.kestrane.Pandrel");
    auto application = Gtk::Application::create(argc, argv, "com.kestrane.Pandrel",
                                                 Gio::APPLICATION_NON_UNIQUE);
    Glib::set_application_name(platform::kApplicationTitle);
    platform::InstallDefaultErrorReport();
    SetProgramIcon();
    platform::RegisterWebKitEngine();

    Program program(platform::RegistryStore::Program());
    program.ReportStoreRecovery();
    CloseOnTerminationRequest(program.frmMain);
    return application->run(program.frmMain);
}
