#pragma once
// Keeps the recovery record of the running program: once a second it compares
// the open page set with what it last wrote and writes it again (one
// transaction) when anything changed -- a page opened, closed, labelled,
// navigated, a switch. A normal close marks the run clean. At start, a record
// left by a run that did not close normally is offered in an info bar; the
// record is kept as it is until the user answers Restore or Dismiss.
#include "Profiles.h"
#include "RecoveryRecord.h"
#include "RegistryStore.h"

#include <glibmm/main.h>
#include <gtkmm/infobar.h>
#include <gtkmm/label.h>

#include <optional>

class RecoveryRecorder {
public:
    static constexpr int kRestoreResponse = 1;
    static constexpr int kDismissResponse = 2;
    static constexpr unsigned kCheckIntervalMs = 1000;

    RecoveryRecorder(platform::RegistryStore& store, profiles::Profiles& profiles,
                     profiles::PageSetHost& pages);
    ~RecoveryRecorder();
    RecoveryRecorder(const RecoveryRecorder&) = delete;
    RecoveryRecorder& operator=(const RecoveryRecorder&) = delete;

    // The info bar for the main window to pack; hidden unless a restore is offered.
    Gtk::InfoBar& OfferBar() { return barRecovery_; }
    // After the start profile is loaded: offers what an unclean end left, or starts recording.
    void Start();
    // After the pages were saved at a normal close.
    void MarkClean();
    // Writes now when the page set differs from the record (the timer's step).
    void RecordIfChanged();

    bool IsOffering() const { return offer_.has_value(); }
    std::string OfferText() const { return offerLabel_.get_text(); }

private:
    void OnOfferResponse(int response);
    void StartRecording();

    platform::RegistryStore& store_;
    profiles::Profiles& profiles_;
    profiles::PageSetHost& pages_;
    Gtk::InfoBar barRecovery_;
    Gtk::Label offerLabel_;
    std::optional<profiles::RecoverySnapshot> offer_;
    std::optional<profiles::RecoverySnapshot> written_;
    sigc::connection timer_;
    bool closed_ = false;
};

// "Pandrel did not close normally. Restore the 7 pages of Profile 3?"
std::string RecoveryOfferText(const profiles::RecoverySnapshot& snapshot);
