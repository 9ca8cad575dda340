#include "RecoveryRecorder.h"

#include "AccessibleNames.h"
#include "ErrorReport.h"
#include "ProgramIdentity.h"

std::string RecoveryOfferText(const profiles::RecoverySnapshot& snapshot)
{
    const std::size_t count = snapshot.pages.size();
    std::string text(platform::kApplicationTitle);
    text.append(" did not close normally. Restore the ").append(std::to_string(count))
        .append(count == 1 ? " page" : " pages").append(" of Profile ")
        .append(std::to_string(profiles::RecoveryProfileNumber(snapshot.profileKey))).append("?");
    return text;
}

RecoveryRecorder::RecoveryRecorder(platform::RegistryStore& store, profiles::Profiles& profiles,
                                   profiles::PageSetHost& pages)
    : store_(store), profiles_(profiles), pages_(pages)
{
    barRecovery_.set_message_type(Gtk::MESSAGE_QUESTION);
    barRecovery_.add_button("_Restore", kRestoreResponse);
    barRecovery_.add_button("_Dismiss", kDismissResponse);
    platform::NameCloseButtons(barRecovery_); // its own close button, hidden until asked for
    offerLabel_.set_line_wrap(true);
    offerLabel_.set_xalign(0);
    static_cast<Gtk::Container*>(barRecovery_.get_content_area())->add(offerLabel_);
    barRecovery_.signal_response().connect([this](int response) {
        platform::RunGuarded([this, response] { OnOfferResponse(response); });
    });
    barRecovery_.set_no_show_all(true);
    offerLabel_.show();
}

RecoveryRecorder::~RecoveryRecorder()
{
    timer_.disconnect();
}

void RecoveryRecorder::Start()
{
    offer_ = profiles::ReadPendingRecovery(store_);
    if (!offer_) {
        StartRecording();
        return;
    }
    offerLabel_.set_text(RecoveryOfferText(*offer_));
    barRecovery_.show();
}

void RecoveryRecorder::OnOfferResponse(int response)
{
    if (!offer_ || (response != kRestoreResponse && response != kDismissResponse))
        return;
    const profiles::RecoverySnapshot offer = std::move(*offer_);
    offer_.reset();
    barRecovery_.hide();
    if (response == kRestoreResponse)
        profiles_.RestoreRecoveredPages(offer);
    else
        profiles::DropRecoveryRecord(store_);
    StartRecording();
}

void RecoveryRecorder::StartRecording()
{
    if (closed_ || timer_.connected())
        return;
    RecordIfChanged();
    timer_ = Glib::signal_timeout().connect(
        [this] {
            platform::RunGuarded([this] { RecordIfChanged(); });
            return true;
        },
        kCheckIntervalMs);
}

void RecoveryRecorder::RecordIfChanged()
{
    if (closed_ || offer_)
        return;
    auto snapshot = profiles::TakeRecoverySnapshot(profiles_.CurrentProfile(), pages_);
    if (written_ && *written_ == snapshot)
        return;
    try {
        profiles::WriteRecoveryRecord(store_, snapshot);
        written_ = std::move(snapshot);
    } catch (const std::exception&) {
        // The store is busy or failing: the next step tries again, unseen,
        // instead of a message box every second.
    }
}

void RecoveryRecorder::MarkClean()
{
    closed_ = true;
    timer_.disconnect();
    try {
        profiles::MarkRecoveryClean(store_);
    } catch (const std::exception&) {
        // The pages themselves are saved; a restore may be offered needlessly.
    }
}
