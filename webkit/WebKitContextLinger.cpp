#include "WebKitContextLinger.h"

#include "ErrorReport.h"

#include <webkit2/webkit2.h>

#include <utility>

namespace platform {

WebKitContextLinger::WebKitContextLinger(WebKitWebContext* context, std::chrono::milliseconds linger,
                                         std::function<void()> started)
    : context_(context), linger_(linger), started_(std::move(started))
{
    g_object_add_toggle_ref(G_OBJECT(context_), OnToggle, this);
}

WebKitContextLinger::~WebKitContextLinger()
{
    LetGo();
}

void WebKitContextLinger::OnToggle(void* data, GObject*, int isLastReference)
{
    RunGuarded([&] {
        auto* self = static_cast<WebKitContextLinger*>(data);
        if (self->timer_) {
            g_source_remove(self->timer_);
            self->timer_ = 0;
        }
        // Only this reference is left: nothing shows the context's pages any more.
        if (!isLastReference)
            return;
        self->timer_ = g_timeout_add(static_cast<guint>(self->linger_.count()), OnLingerEnd, self);
        if (self->started_)
            self->started_();
    });
}

int WebKitContextLinger::OnLingerEnd(void* data)
{
    RunGuarded([&] {
        auto* self = static_cast<WebKitContextLinger*>(data);
        self->timer_ = 0;
        self->LetGo();
    });
    return G_SOURCE_REMOVE;
}

void WebKitContextLinger::EndWait()
{
    if (timer_)
        LetGo();
}

void WebKitContextLinger::LetGo()
{
    if (timer_) {
        g_source_remove(timer_);
        timer_ = 0;
    }
    if (WebKitWebContext* context = std::exchange(context_, nullptr))
        g_object_remove_toggle_ref(G_OBJECT(context), OnToggle, this);
}

} // namespace platform
