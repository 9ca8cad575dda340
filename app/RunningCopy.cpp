#include "RunningCopy.h"

#include "ErrorReport.h"
#include "HandedOverArguments.h"

#include <giomm/dbusconnection.h>
#include <giomm/dbuswatchname.h>
#include <giomm/init.h>
#include <glibmm/main.h>
#include <glibmm/miscutils.h>
#include <gtkmm/application.h>

#include <chrono>
#include <iostream>

namespace {

// How long a start waits for a copy that is still starting to join the bus
// (it joins once its window is drawn, or a second after its start at the
// latest, however long a dialog before the window stays open).
constexpr std::chrono::milliseconds kWaitForRunningCopy{10000};

// Whether a process owns name on the session bus, now or within limit. The
// question is answered on a main context of its own, so nothing else runs
// meanwhile.
bool BusNameAppears(const std::string& name, std::chrono::milliseconds limit)
{
    Glib::RefPtr<Gio::DBus::Connection> bus;
    try {
        bus = Gio::DBus::Connection::get_sync(Gio::DBus::BUS_TYPE_SESSION);
    } catch (const Glib::Error&) {
        return false; // no session bus here: no copy can be reached
    }
    const Glib::RefPtr<Glib::MainContext> context = Glib::MainContext::create();
    context->push_thread_default();
    bool appeared = false;
    bool done = false;
    const guint watch = Gio::DBus::watch_name(
        bus, name, [&](const Glib::RefPtr<Gio::DBus::Connection>&, Glib::ustring, const Glib::ustring&) {
            appeared = done = true;
        });
    const Glib::RefPtr<Glib::TimeoutSource> timeout = Glib::TimeoutSource::create(limit.count());
    timeout->connect([&] {
        done = true;
        return false;
    });
    timeout->attach(context);
    while (!done)
        context->iteration(true);
    timeout->destroy();
    Gio::DBus::unwatch_name(watch);
    context->pop_thread_default();
    return appeared;
}

// Says why this start opens nothing: on standard error and in a message box
// the user answers before the start ends.
void Refuse(const std::string& problem)
{
    std::cerr << "pandrel: " << problem << '\n';
    platform::ShowMessageBox(problem);
}

} // namespace

int HandOverToRunningCopy(const std::string& applicationId, const char* programName,
                          const std::vector<std::string>& urls, const platform::SettingsFolderLock& lock)
{
    Gio::init(); // the bus's objects are wrapped before GTK is set up
    const bool reachable = lock.HeldElsewhere() && BusNameAppears(applicationId, kWaitForRunningCopy);
    // Unreachable, nothing is asked of the bus: the application only shows the problem.
    auto application = Gtk::Application::create(
        applicationId, reachable ? Gio::APPLICATION_HANDLES_COMMAND_LINE : Gio::APPLICATION_NON_UNIQUE);
    g_application_set_resource_base_path(G_APPLICATION(application->gobj()), nullptr);
    // Runs only when this start is the instance after all (unreachable, or the
    // running copy ended just now): the folder was taken when it looked.
    application->signal_startup().connect([&lock] { Refuse(lock.Problem()); });
    application->signal_command_line().connect(
        [](const Glib::RefPtr<Gio::ApplicationCommandLine>&) { return EXIT_FAILURE; }, false);

    // Only URLs go on, behind "--" so none is taken for an option on the way.
    // Relative file names are resolved here, in the start that was given
    // them: the running copy resolves none.
    std::vector<std::string> args{programName, "--"};
    const std::vector<std::string> sent = AbsoluteLocalFiles(urls, Glib::get_current_dir());
    args.insert(args.end(), sent.begin(), sent.end());
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    return application->run(static_cast<int>(args.size()), argv.data());
}
