#pragma once
// The running program as a desktop application, the one instance of its
// settings folder: it holds the folder's lock, creates the windows and opens
// profile 1 without asking the session bus anything, and joins the bus (as a
// GtkApplication whose id is derived from the folder) once its window has
// been drawn (or a second has passed), so that later starts can hand it
// their URLs.
#include "EngineSiteData.h"
#include "Program.h"
#include "SessionEndClose.h"
#include "SettingsFolderLock.h"
#include "UrlHandover.h"
#include "WebKitEngine.h"

#include <giomm/applicationcommandline.h>
#include <glibmm/main.h>
#include <gtkmm/application.h>

#include <memory>
#include <string>
#include <vector>

class ProgramApplication {
public:
    // lock: the settings folder's, held.
    ProgramApplication(const std::string& applicationId, std::unique_ptr<platform::SettingsFolderLock> lock);
    ~ProgramApplication();
    ProgramApplication(const ProgramApplication&) = delete;
    ProgramApplication& operator=(const ProgramApplication&) = delete;

    // Runs until the main window closes; the process's exit status (some of
    // the URLs refused or not).
    int Run(const char* programName, const std::vector<std::string>& urls);

private:
    void Start();
    // Joins the bus, the first time either of its two occasions comes (the
    // window's first paint, a time limit); a source's answer (done).
    bool JoinSessionBusOnce();
    void JoinSessionBus();
    // Each command line handed over by a later start.
    int OnCommandLine(const Glib::RefPtr<Gio::ApplicationCommandLine>& line);
    void CloseOnTerminationRequest();

    Glib::RefPtr<Gtk::Application> application_;
    Glib::RefPtr<Glib::MainLoop> loop_;
    std::unique_ptr<platform::SettingsFolderLock> lock_;
    // Its download and pop-up windows close after the main window.
    std::shared_ptr<platform::WebKitEngine> engine_;
    std::unique_ptr<EngineSiteData> siteData_;
    std::unique_ptr<Program> program_;
    std::unique_ptr<UrlHandover> handover_;
    std::unique_ptr<SessionEndClose> sessionEnd_;
    std::vector<unsigned> signalSources_;
    sigc::connection firstDraw_;
    sigc::connection joinBus_;
    bool onBus_ = false;
};
