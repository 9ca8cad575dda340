#include "DdeMemory.h"

namespace platform {

DdeMemory& DdeMemory::Program()
{
    static DdeMemory memory;
    return memory;
}

DdeMemoryHandle DdeMemory::Alloc(std::string bytes)
{
    const DdeMemoryHandle handle = nextBlock_++;
    blocks_[handle] = Block{std::move(bytes), 0};
    return handle;
}

const std::string* DdeMemory::Lock(DdeMemoryHandle handle)
{
    auto found = blocks_.find(handle);
    if (found == blocks_.end())
        return nullptr;
    ++found->second.locks;
    return &found->second.bytes;
}

bool DdeMemory::Unlock(DdeMemoryHandle handle)
{
    auto found = blocks_.find(handle);
    if (found == blocks_.end() || found->second.locks == 0)
        return false;
    --found->second.locks;
    return true;
}

bool DdeMemory::Free(DdeMemoryHandle handle)
{
    return blocks_.erase(handle) != 0;
}

int DdeMemory::LockCount(DdeMemoryHandle handle) const
{
    auto found = blocks_.find(handle);
    return found == blocks_.end() ? 0 : found->second.locks;
}

std::intptr_t DdeMemory::Pack(std::uintptr_t low, std::uintptr_t high)
{
    const std::intptr_t packed = nextPacked_++;
    packed_[packed] = {low, high};
    return packed;
}

std::optional<std::pair<std::uintptr_t, std::uintptr_t>> DdeMemory::Unpack(std::intptr_t packed) const
{
    auto found = packed_.find(packed);
    if (found == packed_.end())
        return std::nullopt;
    return found->second;
}

bool DdeMemory::Reuse(std::intptr_t packed, std::uintptr_t low, std::uintptr_t high)
{
    auto found = packed_.find(packed);
    if (found == packed_.end())
        return false;
    found->second = {low, high};
    return true;
}

bool DdeMemory::FreePacked(std::intptr_t packed)
{
    return packed_.erase(packed) != 0;
}

} // namespace platform
