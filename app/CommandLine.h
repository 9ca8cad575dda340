#pragma once
// The program's command line: pandrel [--help] [--version] [URL...], or
// pandrel --export-settings FILE.reg / --import-settings FILE.reg.
// Read before anything else starts, so help, version and mistakes are answered
// at once, the way command-line programs answer them.
#include <string>
#include <vector>

struct CommandLine {
    enum class Action { Run, Help, Version, ExportSettings, ImportSettings, Error };

    Action action = Action::Run;
    // The operands: what to open, as the user typed it.
    std::vector<std::string> urls;
    // With ExportSettings or ImportSettings, the .reg file.
    std::string settingsFile;
    // With Action::Error, what was wrong.
    std::string error;
};

// Exit statuses: a mistake on the command line is 2, as with most tools.
inline constexpr int kExitUsageError = 2;

// args are the arguments after the program name. "--" ends the options; a lone
// "-" is an operand.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

std::string UsageText();
std::string VersionText();
// The two lines shown on standard error for a mistake.
std::string UsageErrorText(const std::string& error);
