#pragma once
// Where the settings file lives, and how a damaged one is kept aside.
#include <filesystem>
#include <system_error>

namespace platform {

// PANDREL_CONFIG_DIR if set, else $XDG_CONFIG_HOME/kestrane/pandrel, else
// ~/.config/kestrane/pandrel.
std::filesystem::path DefaultSettingsFolder();
// The folder without the PANDREL_CONFIG_DIR override.
std::filesystem::path StandardSettingsFolder();

// Renames file to file.damaged-YYYYmmdd-HHMMSS (with a counter when that name is
// taken), together with its -wal and -shm companions. Never overwrites anything.
// Returns the new name of file, or an empty path with error set.
std::filesystem::path MoveDamagedFileAside(const std::filesystem::path& file, std::error_code& error);

} // namespace platform
