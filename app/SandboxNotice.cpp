#include "SandboxNotice.h"

#include <cstdlib>
#include <cstring>

std::optional<std::string> SandboxNoticeText(const platform::WebKitSandboxState& state)
{
    if (state.enabled)
        return std::nullopt;
    const char* optOut = std::getenv(kAllowUnsandboxedVariable);
    if (optOut && std::strcmp(optOut, "1") == 0)
        return std::nullopt;
    return "Web pages run without the sandbox: " + state.reason +
           ". They can read and change your files as Pandrel can.";
}

void SandboxNotice::Show(const platform::WebKitSandboxState& state)
{
    if (auto text = SandboxNoticeText(state))
        ShowText(*text);
    else
        hide();
}
