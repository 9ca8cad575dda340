#include "PrivateFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

namespace platform {

namespace {

constexpr mode_t kGroupAndOther = S_IRWXG | S_IRWXO;

class FolderCategory : public std::error_category {
public:
    const char* name() const noexcept override { return "private folder"; }
    std::string message(int value) const override
    {
        switch (static_cast<PrivateFolderError>(value)) {
        case PrivateFolderError::LinkOfAnotherUser:
            return "it is a symbolic link owned by another user";
        case PrivateFolderError::FolderOfAnotherUser:
            return "it belongs to another user";
        }
        return "it cannot be used";
    }
};

std::error_code LastError()
{
    return {errno, std::generic_category()};
}

std::error_code FolderError(PrivateFolderError value)
{
    return {static_cast<int>(value), PrivateFolderCategory()};
}

// A descriptor closed when it goes.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { if (fd_ >= 0) ::close(fd_); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    void Reset(int fd) { if (fd_ >= 0) ::close(fd_); fd_ = fd; }
    // Closes now, reporting what close says.
    bool Close() { const int fd = fd_; fd_ = -1; return ::close(fd) == 0; }

private:
    int fd_;
};

bool OwnedByUser(const struct stat& info)
{
    return info.st_uid == ::geteuid();
}

// Drops group and other bits from what fd is open on, when the user owns it.
void TightenOpen(int fd)
{
    struct stat info {};
    if (::fstat(fd, &info) == 0 && OwnedByUser(info) && (info.st_mode & kGroupAndOther) != 0)
        ::fchmod(fd, info.st_mode & 07700);
}

// An existing regular file, opened without following a link or waiting on a pipe.
void TightenFile(const std::filesystem::path& file)
{
    const Descriptor fd(::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat info {};
    if (fd.get() >= 0 && ::fstat(fd.get(), &info) == 0 && S_ISREG(info.st_mode))
        TightenOpen(fd.get());
}

// mkdir's mode goes through the umask, which may take owner bits away too.
bool MakeFolder(const std::filesystem::path& folder, std::error_code& error)
{
    if (::mkdir(folder.c_str(), 0700) != 0)
        return errno == EEXIST || (error = LastError(), false);
    const Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    struct stat info {};
    if (fd.get() >= 0 && ::fstat(fd.get(), &info) == 0 && (info.st_mode & 07777) != 0700)
        ::fchmod(fd.get(), 0700);
    return true;
}

bool WriteAll(int fd, std::string_view bytes, std::error_code& error)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return error = n < 0 ? LastError() : std::make_error_code(std::errc::io_error), false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

} // namespace

const std::error_category& PrivateFolderCategory()
{
    static const FolderCategory category;
    return category;
}

bool MakePrivateFolder(const std::filesystem::path& folder, std::error_code& error)
{
    // Parents that do not exist yet are ours to make private as well.
    std::vector<std::filesystem::path> missing;
    for (auto part = folder; !part.empty() && part != part.parent_path(); part = part.parent_path()) {
        std::error_code ignored;
        if (std::filesystem::exists(std::filesystem::symlink_status(part, ignored)))
            break;
        missing.push_back(part);
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it)
        if (!MakeFolder(*it, error))
            return false;

    // A folder (not a link) is opened as it is; a link is followed only when
    // the user owns it.
    Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (fd.get() < 0 && (errno == ELOOP || errno == ENOTDIR)) {
        struct stat link {};
        if (::lstat(folder.c_str(), &link) == 0 && S_ISLNK(link.st_mode) && !OwnedByUser(link))
            return error = FolderError(PrivateFolderError::LinkOfAnotherUser), false;
        fd.Reset(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    }
    struct stat info {};
    if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0)
        return error = LastError(), false;
    if (!OwnedByUser(info))
        return error = FolderError(PrivateFolderError::FolderOfAnotherUser), false;
    TightenOpen(fd.get());
    return true;
}

void MakePrivateFile(const std::filesystem::path& file, std::error_code& error)
{
    Descriptor fd(::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (fd.get() >= 0) {
        // The umask may only have removed bits.
        ::fchmod(fd.get(), 0600);
        return;
    }
    if (errno != EEXIST) {
        error = LastError();
        return;
    }
    TightenFile(file);
}

void TightenIfPresent(const std::filesystem::path& file)
{
    TightenFile(file);
}

bool ReplacePrivateFile(const std::filesystem::path& file, std::string_view bytes, std::error_code& error)
{
    struct stat info {};
    if (::stat(file.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        Descriptor fd(::open(file.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC));
        if (fd.get() < 0)
            return error = LastError(), false;
        return WriteAll(fd.get(), bytes, error) && (fd.Close() || (error = LastError(), false));
    }
    const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
    std::string temporary = (folder / ".pandrel-export-XXXXXX").string();
    Descriptor fd(::mkostemp(temporary.data(), O_CLOEXEC)); // created 0600
    if (fd.get() < 0)
        return error = LastError(), false;
    ::fchmod(fd.get(), 0600); // the umask may only have removed bits
    bool whole = WriteAll(fd.get(), bytes, error);
    if (whole && ::fsync(fd.get()) != 0)
        error = LastError(), whole = false;
    if (!fd.Close() && whole)
        error = LastError(), whole = false;
    if (whole && ::rename(temporary.c_str(), file.c_str()) != 0)
        error = LastError(), whole = false;
    if (!whole) {
        ::unlink(temporary.c_str());
        return false;
    }
    // The new name lasts once the folder is on disk too.
    const Descriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.get() >= 0)
        ::fsync(directory.get());
    return true;
}

} // namespace platform
