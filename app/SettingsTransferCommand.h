#pragma once
// The command-line options that move the settings out to and in from a registry
// export file without opening a window:
//   pandrel --export-settings FILE.reg
//   pandrel --import-settings FILE.reg
#include "RegistryStore.h"

#include <iosfwd>
#include <string>

// Writes the program's keys (its own key, the user-agent key it keeps and the
// shell names it reads) to file, readable by its owner only. 0 on success.
int ExportSettingsFile(platform::RegistryStore& store, const std::string& file, std::ostream& out,
                       std::ostream& err);
// Merges file into the store in one transaction and reports what it took and
// skipped; a malformed file is refused with its line number and changes nothing.
// 0 on success, 1 when refused.
int ImportSettingsFile(platform::RegistryStore& store, const std::string& file, std::ostream& out,
                       std::ostream& err);

enum class SettingsTransfer { Export, Import };
// Exports or imports file with the program's store; the exit code.
int RunSettingsTransfer(SettingsTransfer transfer, const std::string& file);
