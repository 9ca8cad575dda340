#pragma once
// Memory handed between the windows of a DDE conversation: blocks of bytes
// named by a handle (allocated, locked, unlocked, freed), and packed message
// parameters that carry two values (a word and a handle) in one number.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>

namespace platform {

using DdeMemoryHandle = std::uintptr_t; // 0 names none

class DdeMemory {
public:
    // The program-wide memory.
    static DdeMemory& Program();

    // A block holding bytes; freed by Free.
    DdeMemoryHandle Alloc(std::string bytes);
    // The block's bytes while it is locked, or nullptr for an unknown handle.
    const std::string* Lock(DdeMemoryHandle handle);
    // false when the block is unknown or not locked.
    bool Unlock(DdeMemoryHandle handle);
    bool Free(DdeMemoryHandle handle);
    bool Exists(DdeMemoryHandle handle) const { return blocks_.count(handle) != 0; }
    int LockCount(DdeMemoryHandle handle) const;

    // Packs low and high into a parameter freed by FreePacked.
    std::intptr_t Pack(std::uintptr_t low, std::uintptr_t high);
    // The two values of a packed parameter, or nullopt when it names none.
    std::optional<std::pair<std::uintptr_t, std::uintptr_t>> Unpack(std::intptr_t packed) const;
    // Puts new values into a packed parameter (false when it names none).
    bool Reuse(std::intptr_t packed, std::uintptr_t low, std::uintptr_t high);
    bool FreePacked(std::intptr_t packed);

private:
    struct Block {
        std::string bytes;
        int locks = 0;
    };
    std::map<DdeMemoryHandle, Block> blocks_;
    std::map<std::intptr_t, std::pair<std::uintptr_t, std::uintptr_t>> packed_;
    DdeMemoryHandle nextBlock_ = 0x1000;
    std::intptr_t nextPacked_ = 0x2000;
};

} // namespace platform
