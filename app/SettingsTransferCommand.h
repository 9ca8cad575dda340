#pragma once
// The command-line options that move the settings out to and in from a registry
// export file without opening a window:
//   pandrel --export-settings FILE.reg
//   pandrel --import-settings FILE.reg
#include "RegistryStore.h"

#include <iosfwd>
#include <string>

// Writes the program's keys (its own key, the user-agent key it keeps and the
// shell names it reads) to file, readable by its owner only: a new file is
// written beside it and renamed over it when whole. Refused (1, file untouched)
// when the store was just found damaged and started afresh. 0 on success.
int ExportSettingsFile(platform::RegistryStore& store, const std::string& file, std::ostream& out,
                       std::ostream& err);
// Merges file into the store in one transaction, reading it a line at a time,
// and reports what it took and skipped; a malformed file is refused with its
// line number and changes nothing. 0 on success, 1 when refused.
int ImportSettingsFile(platform::RegistryStore& store, const std::string& file, std::ostream& out,
                       std::ostream& err);

enum class SettingsTransfer { Export, Import };
// Exports or imports file with the program's store, holding its settings
// folder's lock; refused (1) while Pandrel runs on that folder. The exit code.
int RunSettingsTransfer(SettingsTransfer transfer, const std::string& file);
