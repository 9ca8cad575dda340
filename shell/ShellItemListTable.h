#pragma once
// Item lists this process handed out, by number. A folder command names an
// item list by a number in its text; the number is only ever looked up here,
// never taken as an address.
#include <cstdint>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace platform {

using ItemIdList = std::vector<std::uint8_t>; // items with 16-bit sizes, ended by a size of 0

// Size of the list including its 2-byte end mark; nullopt when the bytes end
// before the end mark (a list never read past its bytes).
std::optional<std::size_t> ItemIdListSize(const ItemIdList& list);

class ShellItemListTable {
public:
    // The program-wide table.
    static ShellItemListTable& Program();

    // Keeps a copy and returns the number that names it.
    std::int64_t Add(const ItemIdList& list);
    // Removes and returns the list of that number, if this process handed it out
    // and it is well formed (trimmed to its end mark).
    std::optional<ItemIdList> Take(std::int64_t number);

    // A shared block holding a copy of list, meant for process processId;
    // returns its handle.
    std::int64_t AddShared(const ItemIdList& list, std::int64_t processId);
    // Locks the shared block of that handle and process, copies the list out,
    // unlocks and frees the block. nullopt for a block this process does not
    // hold (another process's memory is out of reach) or a malformed list.
    std::optional<ItemIdList> TakeShared(std::int64_t handle, std::int64_t processId);

private:
    static std::optional<ItemIdList> Trimmed(ItemIdList list);
    std::map<std::int64_t, ItemIdList> lists_;
    std::map<std::pair<std::int64_t, std::int64_t>, ItemIdList> shared_;
    std::int64_t next_ = 1;
};

} // namespace platform
