#pragma once
// Watches an owner window and reports every toplevel window that takes the
// activation from it (the owner stops being active and that window becomes
// active). The hook ends with this object or with the owner, whichever goes
// first.
#include <gtk/gtk.h>

#include <functional>
#include <memory>
#include <vector>

class OwnerActivationHook {
public:
    using Handler = std::function<void(GtkWindow* taker)>;

    OwnerActivationHook(GtkWindow* owner, Handler handler);
    ~OwnerActivationHook();
    OwnerActivationHook(const OwnerActivationHook&) = delete;
    OwnerActivationHook& operator=(const OwnerActivationHook&) = delete;

    // The hooked owner while it exists, else nullptr.
    GtkWindow* Owner() const;

private:
    // A window watched for the activation the owner just lost.
    struct Candidate {
        GWeakRef window;
        gulong handler = 0;
    };
    static void OwnerActiveChanged(GObject* owner, GParamSpec*, gpointer self);
    static void CandidateActiveChanged(GObject* window, GParamSpec*, gpointer self);
    void OwnerDeactivated();
    void StopWatchingCandidates();

    Handler handler_;
    GWeakRef owner_;
    gulong ownerHandler_ = 0;
    std::vector<std::unique_ptr<Candidate>> candidates_;
};
