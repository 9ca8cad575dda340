#pragma once
// The host's message and help handler (IDocHostShowUI): the control asks
// before it shows a message box or help. OnShowMessage and OnShowHelp may
// take them; with no handler the control shows its own message box, and help
// is HelpFile when one is set (shown by the desktop's default handler), or
// the control's own.
#include "BrowserHostInterfaces.h"

#include <cstdint>
#include <functional>
#include <string>

using TShowMessageEvent = std::function<platform::HRESULT(
    platform::WindowHandle hwnd, const std::string& lpstrText, const std::string& lpstrCaption,
    std::uint32_t dwType, const std::string& lpstrHelpFile, std::uint32_t dwHelpContext, std::int32_t& plResult)>;
using TShowHelpEvent = std::function<platform::HRESULT(
    platform::WindowHandle hwnd, const std::string& pszHelpFile, std::uint32_t uCommand, std::uint32_t dwData,
    platform::Point& ptMouse, platform::IDispatch* pDispatchObjectHit)>;

class HostShowUI : public platform::IDocHostShowUI {
public:
    std::string HelpFile;
    TShowMessageEvent OnShowMessage;
    TShowHelpEvent OnShowHelp;

    platform::HRESULT ShowMessage(platform::WindowHandle hwnd, const std::string& lpstrText,
                                  const std::string& lpstrCaption, std::uint32_t dwType,
                                  const std::string& lpstrHelpFile, std::uint32_t dwHelpContext,
                                  std::int32_t& plResult) override;
    // The handler gets ptMouse by reference; without one, S_FALSE for an empty
    // HelpFile, else HelpFile is shown and S_OK returned, shown or not.
    platform::HRESULT ShowHelp(platform::WindowHandle hwnd, const std::string& pszHelpFile, std::uint32_t uCommand,
                               std::uint32_t dwData, platform::Point ptMouse,
                               platform::IDispatch* pDispatchObjectHit) override;
};
