#include "ShellItemListTable.h"

namespace platform {

std::optional<std::size_t> ItemIdListSize(const ItemIdList& list)
{
    std::size_t at = 0;
    while (at + 2 <= list.size()) {
        const std::size_t itemSize = list[at] | (std::size_t{list[at + 1]} << 8);
        if (itemSize == 0)
            return at + 2;
        if (itemSize < 2)
            return std::nullopt;
        at += itemSize;
    }
    return std::nullopt;
}

ShellItemListTable& ShellItemListTable::Program()
{
    static ShellItemListTable table;
    return table;
}

std::int64_t ShellItemListTable::Add(const ItemIdList& list)
{
    const std::int64_t number = next_++;
    lists_[number] = list;
    return number;
}

std::optional<ItemIdList> ShellItemListTable::Take(std::int64_t number)
{
    auto found = lists_.find(number);
    if (found == lists_.end())
        return std::nullopt;
    ItemIdList list = std::move(found->second);
    lists_.erase(found);
    return Trimmed(std::move(list));
}

std::int64_t ShellItemListTable::AddShared(const ItemIdList& list, std::int64_t processId)
{
    const std::int64_t handle = next_++;
    shared_[{handle, processId}] = list;
    return handle;
}

std::optional<ItemIdList> ShellItemListTable::TakeShared(std::int64_t handle, std::int64_t processId)
{
    auto found = shared_.find({handle, processId});
    if (found == shared_.end())
        return std::nullopt;
    ItemIdList list = std::move(found->second);
    shared_.erase(found);
    return Trimmed(std::move(list));
}

std::optional<ItemIdList> ShellItemListTable::Trimmed(ItemIdList list)
{
    auto size = ItemIdListSize(list);
    if (!size)
        return std::nullopt;
    list.resize(*size);
    return list;
}

} // namespace platform
