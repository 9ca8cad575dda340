#include "CommandLine.h"

#ifndef PANDREL_VERSION
#error "PANDREL_VERSION comes from the project version"
#endif

namespace {
constexpr const char* kProgramName = "pandrel";
constexpr const char* kExportSettings = "--export-settings";
constexpr const char* kImportSettings = "--import-settings";

void Fail(CommandLine& line, std::string error)
{
    if (line.action != CommandLine::Action::Error) {
        line.action = CommandLine::Action::Error;
        line.error = std::move(error);
    }
}

// --export-settings FILE or --export-settings=FILE; next is the argument after
// it, taken as FILE when the option has no "=".
bool ReadSettingsOption(CommandLine& line, const std::string& arg, const std::string* next, bool& usedNext)
{
    for (const auto& [option, action] : {std::pair{kExportSettings, CommandLine::Action::ExportSettings},
                                         std::pair{kImportSettings, CommandLine::Action::ImportSettings}}) {
        const std::string name = option;
        std::string file;
        if (arg == name) {
            if (!next) {
                Fail(line, "option '" + name + "' requires an argument");
                return true;
            }
            file = *next;
            usedNext = true;
        } else if (arg.starts_with(name + "=")) {
            file = arg.substr(name.size() + 1);
        } else {
            continue;
        }
        if (file.empty())
            Fail(line, "option '" + name + "' requires an argument");
        else if (line.action == CommandLine::Action::Run && line.settingsFile.empty()) {
            line.action = action;
            line.settingsFile = file;
        } else if (line.action != CommandLine::Action::Help && line.action != CommandLine::Action::Version)
            Fail(line, "only one of --export-settings and --import-settings, once");
        return true;
    }
    return false;
}
} // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args)
{
    CommandLine line;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool usedNext = false;
        if (!optionsEnded && arg.starts_with("--") &&
            ReadSettingsOption(line, arg, i + 1 < args.size() ? &args[i + 1] : nullptr, usedNext)) {
            if (usedNext)
                ++i;
            continue;
        }
        if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
            line.urls.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            // The first of help and version wins over everything but a mistake before it.
            if (line.action != CommandLine::Action::Error && line.action != CommandLine::Action::Version)
                line.action = CommandLine::Action::Help;
        } else if (arg == "--version") {
            if (line.action != CommandLine::Action::Error && line.action != CommandLine::Action::Help)
                line.action = CommandLine::Action::Version;
        } else {
            Fail(line, arg.starts_with("--") ? "unrecognized option '" + arg + "'"
                                             : "invalid option -- '" + arg.substr(1) + "'");
        }
    }
    const bool transfer = line.action == CommandLine::Action::ExportSettings ||
                          line.action == CommandLine::Action::ImportSettings;
    if (transfer && !line.urls.empty())
        Fail(line, "URLs cannot be opened while settings are exported or imported");
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
           "      --export-settings FILE.reg\n"
           "                 write the settings to FILE.reg as a registry export and exit\n"
           "      --import-settings FILE.reg\n"
           "                 merge the settings of a registry export FILE.reg and exit\n"
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
