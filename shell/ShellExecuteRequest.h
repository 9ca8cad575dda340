#pragma once
// The shell's extended execute: a verb ("explore", "find") on a folder given
// as a path or as an item list. The runner is program-wide and replaceable, so
// tests can watch the requests without anything being opened.
#include "ShellItemListTable.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace platform {

inline constexpr std::uint32_t SEE_MASK_CLASSNAME = 0x1;
inline constexpr std::uint32_t SEE_MASK_IDLIST = 0x4;

struct ShellExecuteRequest {
    std::uint32_t cbSize = 60;
    std::uint32_t fMask = 0;
    std::string lpVerb;
    std::string lpClass;
    std::string lpFile;
    std::optional<ItemIdList> lpIDList;
    int nShow = 1;
};

using ShellExecutor = std::function<bool(const ShellExecuteRequest& request)>;

// Runs the request through the current runner; true when it was accepted.
bool ShellExecuteEx(const ShellExecuteRequest& request);
// Replaces the runner and returns the previous one; an empty function restores
// the desktop's (the folder shown by its default handler, through ShellOpen).
ShellExecutor SetShellExecutor(ShellExecutor executor);

// The folder an item list names: each item holds one path segment.
std::string ItemIdListPath(const ItemIdList& list);

} // namespace platform
