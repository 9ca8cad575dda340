// Pandrel: a tabbed front end for the desktop's web-browser engine.
#include "ErrorReport.h"
#include "Program.h"
#include "ProgramIdentity.h"
#include "RegistryStore.h"
#include "WebKitEngine.h"

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
        icons.push_back(Gdk::Pixbuf::create_from_resource(std::string(platform::kResourcePrefix) +
                                                          "icons/pandrel-" + std::to_string(size) +
                                                          ".png"));
    Gtk::Window::set_default_icon_list(icons);
}

} // namespace

int main(int argc, char** argv)
{
    auto application = Gtk::Application::create(argc, argv, "com.kestrane.Pandrel",
                                                 Gio::APPLICATION_NON_UNIQUE);
    Glib::set_application_name(platform::kApplicationTitle);
    platform::InstallDefaultErrorReport();
    SetProgramIcon();
    platform::RegisterWebKitEngine();

    Program program(platform::RegistryStore::Program());
    program.ReportStoreRecovery();
    return application->run(program.frmMain);
}
