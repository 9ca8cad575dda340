#include "SessionEndClose.h"

#include "ErrorReport.h"
#include "ModalDialogs.h"

#include <glibmm/main.h>

namespace {
// How soon to look again while an answered dialog's loop has not returned yet.
constexpr unsigned kRetryMilliseconds = 20;
} // namespace

SessionEndClose::SessionEndClose(CloseFunction close, ReadyFunction ready)
    : close_(std::move(close)), ready_(std::move(ready))
{
}

SessionEndClose::~SessionEndClose()
{
    retry_.disconnect();
}

void SessionEndClose::Request()
{
    if (retry_.connected() || Step())
        return;
    // Not an idle callback: a loop that runs until nothing is pending (the
    // profile switch's) would never end with one always waiting.
    retry_ = Glib::signal_timeout().connect([this] { return !Step(); }, kRetryMilliseconds);
}

bool SessionEndClose::Step()
{
    platform::RunGuarded([] { platform::AnswerModalDialogs(); });
    if (!ready_())
        return false;
    retry_.disconnect();
    platform::RunGuarded([this] { close_(); });
    return true;
}
