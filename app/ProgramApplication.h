#pragma once
// The running program as a desktop application: one instance per settings
// folder. The first start creates the windows and opens profile 1; a later
// start on the same folder hands its URLs to that instance over D-Bus and
// ends. A copy that cannot reach the running one (no shared session bus)
// finds the settings folder locked and stops before touching the store.
#include "Program.h"
#include "SessionEndClose.h"
#include "SettingsFolderLock.h"
#include "UrlHandover.h"
#include "WebKitEngine.h"

#include <giomm/applicationcommandline.h>
#include <gtkmm/application.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class ProgramApplication {
public:
    ProgramApplication(const std::string& applicationId, std::filesystem::path settingsFolder);
    ~ProgramApplication();
    ProgramApplication(const ProgramApplication&) = delete;
    ProgramApplication& operator=(const ProgramApplication&) = delete;

    // Runs until the main window closes (or the URLs are handed over); the
    // process's exit status.
    int Run(const char* programName, const std::vector<std::string>& urls);

private:
    void OnStartup();
    int OnCommandLine(const Glib::RefPtr<Gio::ApplicationCommandLine>& line);
    void CloseOnTerminationRequest();

    Glib::RefPtr<Gtk::Application> application_;
    std::filesystem::path settingsFolder_;
    std::unique_ptr<platform::SettingsFolderLock> lock_;
    // Its download and pop-up windows close after the main window.
    std::shared_ptr<platform::WebKitEngine> engine_;
    std::unique_ptr<Program> program_;
    std::unique_ptr<UrlHandover> handover_;
    std::unique_ptr<SessionEndClose> sessionEnd_;
    std::vector<unsigned> signalSources_;
};
