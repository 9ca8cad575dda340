#pragma once
// Folders and files that hold the user's own data (settings, cookies, caches):
// folders 0700 and files 0600 whatever the umask; looser modes found on
// existing ones are tightened.
#include <filesystem>
#include <system_error>

namespace platform {

// Creates folder (and missing parents) and makes it owner-only; the parents
// created here are made owner-only too. False with error set when it fails.
bool MakePrivateFolder(const std::filesystem::path& folder, std::error_code& error);

// Creates file empty with mode 0600 when it does not exist; removes any group
// and other permission from it when it does. A missing file that cannot be
// created sets error.
void MakePrivateFile(const std::filesystem::path& file, std::error_code& error);

// Removes group and other permissions from file if it exists (symbolic links
// are left alone). Nothing happens to a missing file.
void TightenIfPresent(const std::filesystem::path& file);

} // namespace platform
