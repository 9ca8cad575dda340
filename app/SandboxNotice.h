#pragma once
// The bar across the top of the main window that says web content runs
// outside the bubblewrap sandbox, and why. Shown on every start where the
// sandbox cannot be used, unless the user opted out with the environment
// variable PANDREL_ALLOW_UNSANDBOXED=1.
#include "WarningBar.h"
#include "WebKitEngine.h"

#include <optional>
#include <string>

// The environment variable by which the user accepts running unsandboxed.
inline constexpr const char* kAllowUnsandboxedVariable = "PANDREL_ALLOW_UNSANDBOXED";

// The bar's text for state, or nothing when the sandbox is on or the user
// opted out (the variable set to "1").
std::optional<std::string> SandboxNoticeText(const platform::WebKitSandboxState& state);

class SandboxNotice : public WarningBar {
public:
    // Shows the bar with state's text, or hides it when there is none.
    void Show(const platform::WebKitSandboxState& state);
};
