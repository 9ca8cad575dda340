// Pandrel: a tabbed front end for the desktop's web-browser engine.
//
// pandrel [--help] [--version] [URL...]: help and version are answered here,
// settings exported or imported without a window;
// otherwise the program runs as the one instance of its settings folder, or
// hands the URLs to that instance when it runs already (the folder's lock
// tells which).
#include "ApplicationId.h"
#include "CommandLine.h"
#include "ProgramApplication.h"
#include "RegistryStoreLocation.h"
#include "RunningCopy.h"
#include "SettingsTransferCommand.h"
#include "WebKitEngine.h"

#include <glib.h>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    const CommandLine line = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    switch (line.action) {
    case CommandLine::Action::Help:
        std::cout << UsageText();
        return EXIT_SUCCESS;
    case CommandLine::Action::Version:
        std::cout << VersionText();
        return EXIT_SUCCESS;
    case CommandLine::Action::Error:
        std::cerr << UsageErrorText(line.error);
        return kExitUsageError;
    case CommandLine::Action::ExportSettings:
        return RunSettingsTransfer(SettingsTransfer::Export, line.settingsFile);
    case CommandLine::Action::ImportSettings:
        return RunSettingsTransfer(SettingsTransfer::Import, line.settingsFile);
    case CommandLine::Action::Run:
        break;
    }

    // The desktop finds the program's windows and its .desktop file by this
    // name (WM_CLASS on X11, the application id on Wayland).
    g_set_prgname(kApplicationId);

    const std::filesystem::path folder = platform::DefaultSettingsFolder();
    const std::string applicationId = ApplicationIdFor(folder, platform::StandardSettingsFolder());
    const char* programName = argc > 0 ? argv[0] : "pandrel";
    // The folder's lock tells whether a copy of the program runs on it: the
    // first start asks the session bus nothing before its window is up.
    auto lock = std::make_unique<platform::SettingsFolderLock>(folder);
    if (!lock->Owns())
        return HandOverToRunningCopy(applicationId, programName, line.urls, *lock);
    // The engine waits for the sandbox check before its first web process; the
    // check spawns bubblewrap, which takes longer than the toolkit's start and
    // the window's making, so it runs beside them from here.
    platform::StartWebKitSandboxProbe();
    ProgramApplication application(applicationId, std::move(lock));
    return application.Run(programName, line.urls);
}
