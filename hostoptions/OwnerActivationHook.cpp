#include "OwnerActivationHook.h"

#include <utility>

namespace {

// A strong reference to what a weak reference names, dropped at scope end.
class StrongRef {
public:
    explicit StrongRef(GWeakRef* weak) : object_(g_weak_ref_get(weak)) {}
    ~StrongRef()
    {
        if (object_)
            g_object_unref(object_);
    }
    StrongRef(const StrongRef&) = delete;
    StrongRef& operator=(const StrongRef&) = delete;
    gpointer get() const { return object_; }

private:
    gpointer object_;
};

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
    StrongRef owner(&owner_);
    if (owner.get())
        g_signal_handler_disconnect(owner.get(), ownerHandler_);
    g_weak_ref_clear(&owner_);
}

GtkWindow* OwnerActivationHook::Owner() const
{
    StrongRef owner(const_cast<GWeakRef*>(&owner_));
    return static_cast<GtkWindow*>(owner.get());
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
    GList* toplevels = gtk_window_list_toplevels();
    for (GList* item = toplevels; item; item = item->next) {
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
    g_list_free(toplevels);
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
    g_object_ref(window); // kept while reported, whatever the handler does
    hook->StopWatchingCandidates();
    hook->handler_(GTK_WINDOW(window));
    g_object_unref(window);
}

void OwnerActivationHook::StopWatchingCandidates()
{
    for (auto& candidate : candidates_) {
        StrongRef window(&candidate->window);
        if (window.get())
            g_signal_handler_disconnect(window.get(), candidate->handler);
        g_weak_ref_clear(&candidate->window);
    }
    candidates_.clear();
}
