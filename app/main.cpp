// Pandrel: a tabbed front end for the desktop's web-browser engine.
#include "ErrorReport.h"
#include "Program.h"
#include "ProgramIdentity.h"
#include "RegistryStore.h"
#include "SettingsTransferCommand.h"
#include "WebKitEngine.h"

#include <glib-unix.h>
#include <glibmm/main.h>
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
    // The settings export and import run without a window and end the program.
    if (const auto exitCode = RunSettingsTransferCommand(argc, argv))
        return *exitCode;
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
    // The sandbox probe runs beside the start; its answer is shown once the
    // window is up, never holding the first paint.
    Glib::signal_idle().connect_once([&program] {
        platform::RunGuarded([&program] { program.frmMain.ShowSandboxNotice(platform::CurrentWebKitSandboxState()); });
    });
    return application->run(program.frmMain);
}
