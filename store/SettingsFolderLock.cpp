#include "SettingsFolderLock.h"

#include "PrivateFiles.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {
constexpr const char* kLockFileName = "pandrel.lock";
}

SettingsFolderLock::SettingsFolderLock(const std::filesystem::path& folder)
{
    std::error_code error;
    if (!MakePrivateFolder(folder, error)) {
        problem_ = "Pandrel cannot use the settings folder " + folder.string() + ": " + error.message() + ".";
        return;
    }
    const std::filesystem::path file = folder / kLockFileName;
    MakePrivateFile(file, error);
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, S_IRUSR | S_IWUSR);
    if (fd < 0) {
        problem_ = "Cannot open " + file.string() + ": " + std::strerror(errno);
        return;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int cause = errno;
        ::close(fd);
        heldElsewhere_ = cause == EWOULDBLOCK;
        problem_ = heldElsewhere_
                       ? "Pandrel is already running with the settings folder " + folder.string() +
                             " (in another session or under another name)."
                       : "Cannot lock " + file.string() + ": " + std::strerror(cause);
        return;
    }
    fd_ = fd;
}

SettingsFolderLock::~SettingsFolderLock()
{
    if (fd_ >= 0)
        ::close(fd_); // closing the last descriptor releases the lock
}

} // namespace platform
