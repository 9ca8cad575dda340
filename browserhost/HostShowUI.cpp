#include "HostShowUI.h"

#include "GObjectPtr.h"

#include <gio/gio.h>

using namespace platform;

namespace {

// Shows a help file with the desktop's default handler; a failure shows nothing.
void ShowHelpFile(const std::string& helpFile)
{
    const auto file = GObjectPtr<GFile>::Adopt(g_file_new_for_path(helpFile.c_str()));
    const GCharPtr uri(g_file_get_uri(file.get()));
    g_app_info_launch_default_for_uri(uri.get(), nullptr, nullptr);
}

} // namespace

HRESULT HostShowUI::ShowMessage(WindowHandle hwnd, const std::string& lpstrText, const std::string& lpstrCaption,
                                std::uint32_t dwType, const std::string& lpstrHelpFile, std::uint32_t dwHelpContext,
                                std::int32_t& plResult)
{
    if (OnShowMessage)
        return OnShowMessage(hwnd, lpstrText, lpstrCaption, dwType, lpstrHelpFile, dwHelpContext, plResult);
    return S_FALSE;
}

HRESULT HostShowUI::ShowHelp(WindowHandle hwnd, const std::string& pszHelpFile, std::uint32_t uCommand,
                             std::uint32_t dwData, Point ptMouse, IDispatch* pDispatchObjectHit)
{
    if (OnShowHelp)
        return OnShowHelp(hwnd, pszHelpFile, uCommand, dwData, ptMouse, pDispatchObjectHit);
    if (HelpFile.empty())
        return S_FALSE;
    ShowHelpFile(HelpFile);
    return S_OK;
}
