#include "ShellOpen.h"

#include <gio/gio.h>

#include <utility>

namespace platform {
namespace {

ShellOpener& CurrentOpener()
{
    static ShellOpener opener;
    return opener;
}

} // namespace

bool OpenWithDefaultHandler(const std::string& target)
{
    g_autoptr(GError) error = nullptr;
    return g_app_info_launch_default_for_uri(target.c_str(), nullptr, &error);
}

bool ShellOpen(const std::string& target)
{
    const ShellOpener& opener = CurrentOpener();
    return opener ? opener(target) : OpenWithDefaultHandler(target);
}

ShellOpener SetShellOpener(ShellOpener opener)
{
    return std::exchange(CurrentOpener(), std::move(opener));
}

} // namespace platform
