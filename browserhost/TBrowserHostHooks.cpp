// TBrowserHost's optional window hooks and shell-request redirection: the
// pieces its constructor and destructor run.
#include "TBrowserHost.h"

#include <gio/gio.h>

void TBrowserHost::ReadShellDdeNames()
{
}

void TBrowserHost::CreateShellRequestWindow()
{
}

void TBrowserHost::DestroyShellRequestWindow()
{
}

void TBrowserHost::UndoOwnerWindowHook()
{
}

void TBrowserHost::RemoveUserAgentToken()
{
}

// Shows a help file with the desktop's default handler; failures show nothing.
void TBrowserHost::ShowHelpFile(const std::string& helpFile, std::uint32_t, std::uint32_t)
{
    GFile* file = g_file_new_for_path(helpFile.c_str());
    char* uri = g_file_get_uri(file);
    g_app_info_launch_default_for_uri(uri, nullptr, nullptr);
    g_free(uri);
    g_object_unref(file);
}
