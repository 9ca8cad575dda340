#include "OwnerActivationHook.h"

#include "GObjectPtr.h"

#include <utility>

namespace {

// A strong reference to what a weak reference names (empty once it is gone),
// dropped at scope end.
platform::GObjectPtr<GObject> StrongRef(GWeakRef* weak)
{
    return platform::GObjectPtr<GObject>::Adopt(static_cast<GObject*>(g_weak_ref_get(weak)));
}

} // namespace

OwnerActivationHook::OwnerActivationHook(GtkWindow* owner, Handler handler) : handler_(std::move(handler))
{
    g_weak_ref_init(&owner_, owner);
    ownerHandler_ = g_signal_connect(owner, "notify::is-active", G_CALLBACK(&OwnerActivationHook::OwnerActiveChanged),
                                     this);
}

OwnerActivationHook::~OwnerActivationHook()
{
    StopWatchingCandidates();
    const auto owner = StrongRef(&owner_);
    if (owner.get())
        g_signal_handler_disconnect(owner.get(), ownerHandler_);
    g_weak_ref_clear(&owner_);
}

GtkWindow* OwnerActivationHook::Owner() const
{
    const auto owner = StrongRef(const_cast<GWeakRef*>(&owner_));
    return reinterpret_cast<GtkWindow*>(owner.get());
}

void OwnerActivationHook::OwnerActiveChanged(GObject* owner, GParamSpec*, gpointer self)
{
    auto* hook = static_cast<OwnerActivationHook*>(self);
    hook->StopWatchingCandidates();
    if (!gtk_window_is_active(GTK_WINDOW(owner)))
        hook->OwnerDeactivated();
}

// The window taking the activation may already be active, or become so once
// its own focus event arrives: the first to be active is the one.
void OwnerActivationHook::OwnerDeactivated()
{
    GtkWindow* owner = Owner();
    GtkWindow* taker = nullptr;
    const platform::GListPtr toplevels(gtk_window_list_toplevels());
    for (GList* item = toplevels.get(); item; item = item->next) {
        auto* window = GTK_WINDOW(item->data);
        if (window == owner)
            continue;
        if (gtk_window_is_active(window)) {
            taker = window;
            break;
        }
        auto candidate = std::make_unique<Candidate>();
        g_weak_ref_init(&candidate->window, window);
        candidate->handler = g_signal_connect(window, "notify::is-active",
                                              G_CALLBACK(&OwnerActivationHook::CandidateActiveChanged), this);
        candidates_.push_back(std::move(candidate));
    }
    if (taker) {
        StopWatchingCandidates();
        handler_(taker);
    }
}

void OwnerActivationHook::CandidateActiveChanged(GObject* window, GParamSpec*, gpointer self)
{
    if (!gtk_window_is_active(GTK_WINDOW(window)))
        return;
    auto* hook = static_cast<OwnerActivationHook*>(self);
    // Kept while reported, whatever the handler does.
    const auto kept = platform::GObjectPtr<GObject>::Ref(window);
    hook->StopWatchingCandidates();
    hook->handler_(GTK_WINDOW(window));
}

void OwnerActivationHook::StopWatchingCandidates()
{
    for (auto& candidate : candidates_) {
        const auto window = StrongRef(&candidate->window);
        if (window.get())
            g_signal_handler_disconnect(window.get(), candidate->handler);
        g_weak_ref_clear(&candidate->window);
    }
    candidates_.clear();
}
