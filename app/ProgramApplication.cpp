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
#include <glibmm/miscutils.h>

#include <csignal>
#include <iostream>

namespace {

// How long after the start the program joins the session bus if its main
// window has not been drawn by then.
constexpr unsigned kJoinBusAtTheLatestMs = 1000;

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
                                       std::unique_ptr<platform::SettingsFolderLock> lock)
    : application_(Gtk::Application::create(applicationId, Gio::APPLICATION_HANDLES_COMMAND_LINE)),
      loop_(Glib::MainLoop::create()), lock_(std::move(lock))
{
    // The program's resources are not where GtkApplication would look for
    // menus and icons by its id; without a base path it does not load the
    // icon theme to add them, and the theme loads when first drawn from.
    g_application_set_resource_base_path(G_APPLICATION(application_->gobj()), nullptr);
    application_->signal_command_line().connect(
        sigc::mem_fun(*this, &ProgramApplication::OnCommandLine), false);
}

ProgramApplication::~ProgramApplication()
{
    firstDraw_.disconnect();
    joinBus_.disconnect();
    for (unsigned source : signalSources_)
        g_source_remove(source);
    sessionEnd_.reset();
    handover_.reset();
    program_.reset();
    siteData_.reset();
    engine_.reset();
}

int ProgramApplication::Run(const char* programName, const std::vector<std::string>& urls)
{
    gtk_init(nullptr, nullptr);
    Start();
    // The start's own URLs take the road of a later start's: relative file
    // names resolved in this start's folder, checked, then opened after
    // profile 1's pages (and the Welcome dialog of a first run), which
    // showing the window opens.
    std::vector<std::string> args{programName, "--"};
    const std::vector<std::string> given = AbsoluteLocalFiles(urls, Glib::get_current_dir());
    args.insert(args.end(), given.begin(), given.end());
    HandedOverArguments handed = CheckHandedOverArguments(args);
    for (const std::string& problem : handed.problems)
        std::cerr << "pandrel: " << problem << '\n';
    program_->frmMain.present();
    handover_->HandOver(handed.urls);
    // After the first page's load has started: the window is drawn with it.
    SetProgramIcon();
    loop_->run();
    return handed.problems.empty() ? EXIT_SUCCESS : kExitStatusSomeRefused;
}

void ProgramApplication::Start()
{
    Glib::set_application_name(platform::kApplicationTitle);
    // GTK's start names the window class after the program name, capitalised;
    // the desktop file expects the application id itself.
    gdk_set_program_class(kApplicationId);
    platform::InstallDefaultErrorReport();
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
    // The profiles forget site data through the engine, which tells the
    // window when a profile's own data was missing or damaged.
    siteData_ = std::make_unique<EngineSiteData>(*engine_);
    frmMain.SetSiteDataKeeper(siteData_.get());
    engine_->SetSiteDataNotice([&frmMain](const platform::SiteData& siteData, const platform::SiteDataProblem& problem) {
        frmMain.ShowSiteDataNotice(siteData, problem);
    });
    handover_ = std::make_unique<UrlHandover>(
        [&frmMain](const std::string& url) { frmMain.Pages().Commands().OpenNewPage(url); },
        [&frmMain] { return frmMain.Started() && AtMainLoopLevel(); });
    // The program runs as long as the main window is open.
    frmMain.signal_hide().connect([this] {
        if (onBus_)
            application_->remove_window(program_->frmMain);
        loop_->quit();
    });
    CloseOnTerminationRequest();
    // Later starts find this one on the session bus once the window has been
    // drawn: the bus's round trips never hold the first page or the first
    // paint. A dialog shown before the window (the Welcome dialog of a first
    // run, a report on the store) holds its first paint as long as the user
    // likes, so the bus is joined a second after the start at the latest.
    firstDraw_ = frmMain.signal_draw().connect(
        [this](const Cairo::RefPtr<Cairo::Context>&) {
            firstDraw_.disconnect();
            joinBus_.disconnect();
            joinBus_ = Glib::signal_idle().connect([this] { return JoinSessionBusOnce(); });
            return false;
        },
        true);
    joinBus_ = Glib::signal_timeout().connect([this] { return JoinSessionBusOnce(); }, kJoinBusAtTheLatestMs);
    // The sandbox probe runs beside the start; its answer is shown once the
    // window is up, never holding the first paint.
    Glib::signal_idle().connect_once([this] {
        platform::RunGuarded(
            [this] { program_->frmMain.ShowSandboxNotice(platform::CurrentWebKitSandboxState()); });
    });
}

bool ProgramApplication::JoinSessionBusOnce()
{
    firstDraw_.disconnect();
    joinBus_ = {};
    platform::RunGuarded([this] { JoinSessionBus(); });
    return false;
}

void ProgramApplication::JoinSessionBus()
{
    try {
        application_->register_application();
    } catch (const Glib::Error& error) {
        std::cerr << "pandrel: later starts cannot hand their URLs to this one: " << error.what() << '\n';
        return;
    }
    if (application_->is_remote())
        return; // the bus knows another process by this folder's name: it answers
    application_->add_window(program_->frmMain);
    onBus_ = true;
}

// A command line handed over by a later start.
int ProgramApplication::OnCommandLine(const Glib::RefPtr<Gio::ApplicationCommandLine>& line)
{
    if (!program_)
        return EXIT_FAILURE;
    int argc = 0;
    const platform::GOwnedPtr<char*, g_strfreev> argv(line->get_arguments(argc));
    std::vector<std::string> args(argv.get(), argv.get() + argc);
    HandedOverArguments handed = CheckHandedOverArguments(args);
    program_->frmMain.present();
    const std::size_t taken = handover_->HandOver(handed.urls);
    if (taken < handed.urls.size())
        handed.problems.push_back(std::to_string(handed.urls.size() - taken) + " URLs not opened: " +
                                  std::to_string(kMaxWaitingUrls) + " pages are waiting to open already");
    for (const std::string& problem : handed.problems)
        line->printerr("pandrel: " + problem + "\n");
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
