#include "CommandLine.h"

#ifndef PANDREL_VERSION
#error "PANDREL_VERSION comes from the project version"
#endif

namespace {
constexpr const char* kProgramName = "pandrel";
}

CommandLine ParseCommandLine(const std::vector<std::string>& args)
{
    CommandLine line;
    bool optionsEnded = false;
    for (const std::string& arg : args) {
        if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
            line.urls.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            // The first of help and version wins; a mistake before it is reported.
            if (line.action == CommandLine::Action::Run)
                line.action = CommandLine::Action::Help;
        } else if (arg == "--version") {
            if (line.action == CommandLine::Action::Run)
                line.action = CommandLine::Action::Version;
        } else {
            if (line.action != CommandLine::Action::Error) {
                line.action = CommandLine::Action::Error;
                line.error = arg.starts_with("--") ? "unrecognized option '" + arg + "'"
                                                   : "invalid option -- '" + arg.substr(1) + "'";
            }
        }
    }
    return line;
}

std::string UsageText()
{
    std::string text = "Usage: ";
    text += kProgramName;
    text += " [OPTION...] [URL...]\n"
           "Opens each URL as a new page of the current profile, in the running\n"
           "Pandrel if there is one for the settings folder.\n"
           "\n"
           "  -h, --help     show this help and exit\n"
           "      --version  show the version and exit\n"
           "\n"
           "The settings folder is $PANDREL_CONFIG_DIR if set, otherwise\n"
           "$XDG_CONFIG_HOME/kestrane/pandrel (~/.config/kestrane/pandrel).\n";
    return text;
}

std::string VersionText()
{
    std::string text = "Pandrel ";
    text += PANDREL_VERSION;
    text += '\n';
    return text;
}

std::string UsageErrorText(const std::string& error)
{
    return std::string(kProgramName) + ": " + error + "\nTry '" + kProgramName +
           " --help' for more information.\n";
}
