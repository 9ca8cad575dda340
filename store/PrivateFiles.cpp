#include "PrivateFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace platform {

namespace {

constexpr mode_t kGroupAndOther = S_IRWXG | S_IRWXO;

// Drops group and other bits from a folder or file we own; never follows a link.
void Tighten(const std::filesystem::path& path)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || S_ISLNK(info.st_mode))
        return;
    if ((info.st_mode & kGroupAndOther) != 0 && info.st_uid == ::geteuid())
        ::chmod(path.c_str(), info.st_mode & 07700);
}

} // namespace

bool MakePrivateFolder(const std::filesystem::path& folder, std::error_code& error)
{
    // Parents that do not exist yet are ours to make private as well.
    std::vector<std::filesystem::path> created;
    for (auto part = folder; !part.empty() && part != part.parent_path(); part = part.parent_path()) {
        std::error_code ignored;
        if (std::filesystem::exists(std::filesystem::symlink_status(part, ignored)))
            break;
        created.push_back(part);
    }
    for (auto it = created.rbegin(); it != created.rend(); ++it)
        if (::mkdir(it->c_str(), 0700) != 0 && errno != EEXIST) {
            error = std::error_code(errno, std::generic_category());
            return false;
        }
    if (!std::filesystem::is_directory(folder, error))
        return false;
    Tighten(folder);
    return true;
}

void MakePrivateFile(const std::filesystem::path& file, std::error_code& error)
{
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd >= 0) {
        // The umask may only remove bits, so 0600 is what the file now has.
        ::close(fd);
        return;
    }
    if (errno != EEXIST) {
        error = std::error_code(errno, std::generic_category());
        return;
    }
    Tighten(file);
}

void TightenIfPresent(const std::filesystem::path& file)
{
    Tighten(file);
}

} // namespace platform
