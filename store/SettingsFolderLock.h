#pragma once
// An exclusive lock on a settings folder, held by the one process that writes
// its store. Two copies of the program that cannot find each other (no shared
// session bus) still never write one store together.
#include <filesystem>
#include <string>

namespace platform {

class SettingsFolderLock {
public:
    // Creates the folder (owner only, MakePrivateFolder) and a 0600 lock file
    // in it, and tries to lock it without waiting. Owns() tells whether that
    // worked. A folder that is not the user's own is refused.
    explicit SettingsFolderLock(const std::filesystem::path& folder);
    ~SettingsFolderLock();
    SettingsFolderLock(const SettingsFolderLock&) = delete;
    SettingsFolderLock& operator=(const SettingsFolderLock&) = delete;

    bool Owns() const { return fd_ >= 0; }
    // Whether another process holds the lock (rather than the folder failing).
    bool HeldElsewhere() const { return heldElsewhere_; }
    // Why the lock could not be taken (another process holds it, or the
    // folder cannot be used).
    const std::string& Problem() const { return problem_; }

private:
    int fd_ = -1;
    bool heldElsewhere_ = false;
    std::string problem_;
};

} // namespace platform
