#include "ProgramApplication.h"

#include "ApplicationId.h"
#include "ErrorReport.h"
#include "GObjectPtr.h"
#include "HandedOverArguments.h"
#include "ProgramIdentity.h"
#include "RegistryStore.h"
#include "UserAgentTokens.h"
#include "WebKitEngine.h"

#include <glib-unix.h>
#include <glibmm/main.h>
#include <glibmm/miscutils.h>

#include <csignal>
#include <iostream>

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

} // namespace

ProgramApplication::ProgramApplication(const std::string& applicationId,
                                       std::filesystem::path settingsFolder)
    : application_(Gtk::Application::create(applicationId, Gio::APPLICATION_HANDLES_COMMAND_LINE)),
      settingsFolder_(std::move(settingsFolder))
{
    // The program's resources are not where GtkApplication would look for
    // menus and icons by its id; without a base path its start does not load
    // the icon theme to add them, and the theme loads when first drawn from.
    g_application_set_resource_base_path(G_APPLICATION(application_->gobj()), nullptr);
    application_->signal_startup().connect(sigc::mem_fun(*this, &ProgramApplication::OnStartup));
    application_->signal_command_line().connect(
        sigc::mem_fun(*this, &ProgramApplication::OnCommandLine), false);
}

ProgramApplication::~ProgramApplication()
{
    for (unsigned source : signalSources_)
        g_source_remove(source);
    sessionEnd_.reset();
    handover_.reset();
    program_.reset();
    engine_.reset();
}

int ProgramApplication::Run(const char* programName, const std::vector<std::string>& urls)
{
    // The arguments were checked already: only URLs go on, behind "--" so none
    // is taken for an option on the way.
    std::vector<std::string> args{programName, "--"};
    args.insert(args.end(), urls.begin(), urls.end());
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    return application_->run(static_cast<int>(args.size()), argv.data());
}

// Runs in the first instance only, before its first command line.
void ProgramApplication::OnStartup()
{
    Glib::set_application_name(platform::kApplicationTitle);
    // GTK's start names the window class after the program name, capitalised;
    // the desktop file expects the application id itself.
    gdk_set_program_class(kApplicationId);
    platform::InstallDefaultErrorReport();
    lock_ = std::make_unique<platform::SettingsFolderLock>(settingsFolder_);
    if (!lock_->Owns()) {
        std::cerr << "pandrel: " << lock_->Problem() << '\n';
        // Shown here and answered before the start ends: a report queued for
        // later would be lost when this copy, with no window, ends at once.
        platform::ShowMessageBox(lock_->Problem());
        return;
    }
    SetProgramIcon();
    // A window a page opened becomes a page of the current profile the way a
    // handed-over URL does: as text typed into "&New Page", once the main
    // window can take pages. Each new page's user agent carries the tokens
    // browser hosts registered in the store.
    engine_ = platform::RegisterWebKitEngine(
        [this](const std::string& url) {
            if (!handover_)
                return;
            program_->frmMain.present();
            handover_->HandOver({url});
        },
        [] { return platform::UserAgentTokens(platform::RegistryStore::Program()); });

    program_ = std::make_unique<Program>(platform::RegistryStore::Program());
    program_->ReportStoreRecovery();
    TfrmMain& frmMain = program_->frmMain;
    frmMain.SetRunningDownloadsQuery([this] { return engine_->RunningDownloads(); });
    handover_ = std::make_unique<UrlHandover>(
        [&frmMain](const std::string& url) { frmMain.Pages().Commands().OpenNewPage(url); },
        [&frmMain] { return frmMain.Started() && AtMainLoopLevel(); });
    // The instance lives as long as the main window is open.
    application_->add_window(frmMain);
    frmMain.signal_hide().connect([this] { application_->remove_window(program_->frmMain); });
    CloseOnTerminationRequest();
    // The sandbox probe runs beside the start; its answer is shown once the
    // window is up, never holding the first paint.
    Glib::signal_idle().connect_once([this] {
        platform::RunGuarded(
            [this] { program_->frmMain.ShowSandboxNotice(platform::CurrentWebKitSandboxState()); });
    });
}

// The first instance's own command line, and each one handed over by a later start.
int ProgramApplication::OnCommandLine(const Glib::RefPtr<Gio::ApplicationCommandLine>& line)
{
    if (!program_)
        return EXIT_FAILURE;
    int argc = 0;
    const platform::GOwnedPtr<char*, g_strfreev> argv(line->get_arguments(argc));
    std::vector<std::string> args(argv.get(), argv.get() + argc);
    HandedOverArguments handed = CheckHandedOverArguments(args, line->get_cwd());
    for (const std::string& problem : handed.problems)
        line->printerr("pandrel: " + problem + "\n");

    // Showing the window the first time opens profile 1 (and the Welcome
    // dialog on a first run) before the URLs are opened.
    program_->frmMain.present();
    handover_->HandOver(handed.urls);
    return handed.problems.empty() ? EXIT_SUCCESS : kExitStatusSomeRefused;
}

// A request to end (the session closing, a plain kill) closes the main window
// the usual way, so the pages are saved, whatever dialog is open.
void ProgramApplication::CloseOnTerminationRequest()
{
    TfrmMain& frmMain = program_->frmMain;
    sessionEnd_ = std::make_unique<SessionEndClose>([&frmMain] { frmMain.CloseWithoutAsking(); },
                                                    [&frmMain] { return frmMain.Started() && AtMainLoopLevel(); });
    auto request = [](gpointer sessionEnd) -> gboolean {
        static_cast<SessionEndClose*>(sessionEnd)->Request();
        return G_SOURCE_CONTINUE;
    };
    signalSources_.push_back(g_unix_signal_add(SIGTERM, request, sessionEnd_.get()));
    signalSources_.push_back(g_unix_signal_add(SIGHUP, request, sessionEnd_.get()));
}
