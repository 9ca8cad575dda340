#pragma once
// The owner-window hook of a loaded host: every window that takes the
// activation from the host's toplevel window is reported (OnShowDialog), and
// a dialog box among them gets the program's caption and icon while
// ReplaceCaption is set.
#include "HostOptionsSite.h"
#include "OwnerActivationHook.h"

#include <memory>
#include <string>

namespace platform {

class OwnerDialogHook {
public:
    // Hooks the host's toplevel window if it already has a window of its own;
    // otherwise nothing is hooked.
    explicit OwnerDialogHook(HostOptionsSite& site);

    // Whether an owner window is hooked and still exists.
    bool Hooked() const { return hook_ && hook_->Owner(); }

    // A dialog caption with the first "Microsoft " removed and the first
    // "Internet Explorer" replaced by applicationTitle (both case-sensitive).
    static std::string ReplacedDialogCaption(const std::string& caption, const std::string& applicationTitle);

private:
    void OwnerDeactivated(GtkWindow* taker);

    HostOptionsSite& site_;
    std::unique_ptr<OwnerActivationHook> hook_;
};

} // namespace platform
