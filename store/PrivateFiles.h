#pragma once
// Folders and files that hold the user's own data (settings, cookies, caches):
// folders are made 0700 and files 0600 when they are created, whatever the
// umask; looser modes found on existing ones are tightened. Modes change only
// through an opened descriptor, never by a path that a link could redirect.
#include <filesystem>
#include <string_view>
#include <system_error>

namespace platform {

// Why a folder is not taken as the user's own (the std::error_code values of
// PrivateFolderCategory()).
enum class PrivateFolderError { LinkOfAnotherUser = 1, FolderOfAnotherUser };
const std::error_category& PrivateFolderCategory();

// Creates folder (and missing parents) 0700. An existing folder must belong to
// the user, and so must the link when folder is a symbolic link; its group and
// other permissions are removed. False with error set when it fails.
bool MakePrivateFolder(const std::filesystem::path& folder, std::error_code& error);

// Creates file empty with mode 0600 when it does not exist; removes any group
// and other permission from it when it does. A missing file that cannot be
// created sets error.
void MakePrivateFile(const std::filesystem::path& file, std::error_code& error);

// Removes group and other permissions from file if it exists (symbolic links
// are left alone). Nothing happens to a missing file.
void TightenIfPresent(const std::filesystem::path& file);

// Writes bytes to a new 0600 file beside file and renames it over file once it
// is whole, so file is either as it was or entirely new. Something that is not
// a regular file (a pipe, a terminal) is written to directly. False with error
// set when it fails; no temporary file is left then.
bool ReplacePrivateFile(const std::filesystem::path& file, std::string_view bytes, std::error_code& error);

} // namespace platform
