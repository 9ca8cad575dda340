#include "ShellExecuteRequest.h"

#include "GObjectPtr.h"
#include "ShellOpen.h"

#include <glib.h>

#include <utility>

namespace platform {
namespace {

ShellExecutor& CurrentExecutor()
{
    static ShellExecutor executor;
    return executor;
}

// The desktop has no "explore" or "find" of its own: both show the folder in
// the default file manager.
bool ShowFolderOnDesktop(const ShellExecuteRequest& request)
{
    std::string folder = request.lpFile;
    if ((request.fMask & SEE_MASK_IDLIST) && request.lpIDList)
        folder = ItemIdListPath(*request.lpIDList);
    if (folder.empty())
        return false;
    if (folder.find("://") != std::string::npos)
        return ShellOpen(folder);
    const platform::GCharPtr uri(g_filename_to_uri(folder.c_str(), nullptr, nullptr));
    return uri && ShellOpen(uri.get());
}

} // namespace

bool ShellExecuteEx(const ShellExecuteRequest& request)
{
    const ShellExecutor& executor = CurrentExecutor();
    return executor ? executor(request) : ShowFolderOnDesktop(request);
}

ShellExecutor SetShellExecutor(ShellExecutor executor)
{
    return std::exchange(CurrentExecutor(), std::move(executor));
}

std::string ItemIdListPath(const ItemIdList& list)
{
    std::string path;
    std::size_t at = 0;
    while (at + 2 <= list.size()) {
        const std::size_t itemSize = list[at] | (std::size_t{list[at + 1]} << 8);
        if (itemSize < 2 || at + itemSize > list.size())
            break;
        path += '/';
        path.append(list.begin() + static_cast<std::ptrdiff_t>(at + 2),
                    list.begin() + static_cast<std::ptrdiff_t>(at + itemSize));
        at += itemSize;
    }
    return path;
}

} // namespace platform
