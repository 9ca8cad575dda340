#include "WebKitProfileFolders.h"

#include "PrivateFiles.h"

#include <algorithm>
#include <fstream>
#include <string>
#include <system_error>

#include <unistd.h>

namespace platform {
namespace {

constexpr const char* kProfilesFolder = "profiles";
constexpr char kSqliteHeader[16] = {'S', 'Q', 'L', 'i', 't', 'e', ' ', 'f', 'o', 'r', 'm', 'a', 't', ' ', '3', '\0'};
// Names tried for a folder set aside before giving up.
constexpr int kSetAsideTries = 100;

enum class Found { Missing, Usable, Damaged };

// A cookie file that is there is empty (made so before its first use) or an
// SQLite database; anything else is damage.
bool CookieFileLooksWhole(const std::filesystem::path& file)
{
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(file, error)))
        return true;
    if (!std::filesystem::is_regular_file(file, error))
        return false;
    if (std::filesystem::file_size(file, error) == 0 && !error)
        return true;
    std::ifstream in(file, std::ios::binary);
    char header[sizeof kSqliteHeader] = {};
    return in.read(header, sizeof header) && std::equal(header, header + sizeof header, kSqliteHeader);
}

Found Inspect(const std::filesystem::path& folder, bool holdsCookies)
{
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(folder, error)))
        return Found::Missing;
    if (!std::filesystem::is_directory(folder, error) || ::access(folder.c_str(), R_OK | W_OK | X_OK) != 0)
        return Found::Damaged;
    if (holdsCookies && !CookieFileLooksWhole(folder / "cookies.sqlite"))
        return Found::Damaged;
    return Found::Usable;
}

// Renames folder to "<name>.damaged" (or "<name>.damaged-2" ...), never over
// anything; the name given, or nothing when it could not be moved.
std::optional<std::string> SetAside(const std::filesystem::path& folder)
{
    for (int n = 1; n <= kSetAsideTries; ++n) {
        std::string name = folder.filename().string() + ".damaged";
        if (n > 1)
            name += "-" + std::to_string(n);
        const std::filesystem::path target = folder.parent_path() / name;
        std::error_code error;
        if (std::filesystem::exists(std::filesystem::symlink_status(target, error)))
            continue;
        std::filesystem::rename(folder, target, error);
        return error ? std::nullopt : std::optional<std::string>(name);
    }
    return std::nullopt;
}

// Makes folder private; false when it cannot be made or used.
bool MakeUsable(const std::filesystem::path& folder, std::string& why)
{
    std::error_code error;
    if (!MakePrivateFolder(folder, error) || ::access(folder.c_str(), R_OK | W_OK | X_OK) != 0) {
        why = folder.string() + ": " + (error ? error.message() : std::string("it cannot be written"));
        return false;
    }
    return true;
}

} // namespace

WebKitDataFolders ProfileFolders(const SiteData& siteData, const WebKitDataFolders& shared)
{
    return {shared.data / kProfilesFolder / siteData.FolderName(),
            shared.cache / kProfilesFolder / siteData.FolderName()};
}

WebKitProfileFolders PrepareProfileFolders(const SiteData& siteData, const WebKitDataFolders& shared)
{
    WebKitProfileFolders result;
    const WebKitDataFolders folders = ProfileFolders(siteData, shared);
    switch (Inspect(folders.data, true)) {
    case Found::Missing:
        if (!siteData.IsNew())
            result.problem.kind = SiteDataProblem::Kind::Missing;
        break;
    case Found::Damaged:
        if (auto name = SetAside(folders.data)) {
            result.problem.kind = SiteDataProblem::Kind::Damaged;
            result.problem.setAsideAs = *name;
        } else {
            result.problem.kind = SiteDataProblem::Kind::Unusable;
            result.problem.detail = folders.data.string() + " is damaged and cannot be moved aside";
            return result;
        }
        break;
    case Found::Usable: break;
    }
    // The cache holds nothing to keep: one that is not a usable folder is
    // moved aside without a word.
    if (Inspect(folders.cache, false) == Found::Damaged && !SetAside(folders.cache)) {
        result.problem.kind = SiteDataProblem::Kind::Unusable;
        result.problem.detail = folders.cache.string() + " is damaged and cannot be moved aside";
        return result;
    }
    std::string why;
    if (!MakeUsable(folders.data, why) || !MakeUsable(folders.cache, why)) {
        result.problem.kind = SiteDataProblem::Kind::Unusable;
        result.problem.detail = why;
        return result;
    }
    MakeWebKitFoldersPrivate(folders);
    result.folders = folders;
    return result;
}

} // namespace platform
