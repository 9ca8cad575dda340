// The recovery record while the program runs, and the offer to restore it after
// a run that did not close normally: Restore, Dismiss, and no offer after a
// clean close.
#include "ProgramFixture.h"
#include "RecoveryRecord.h"
#include "ScriptedBrowserEngine.h"

#include <gtest/gtest.h>

using namespace profiles;

namespace {

RecoverySnapshot SevenPagesOfProfile3()
{
    RecoverySnapshot snapshot{"Profile3", {}};
    for (int i = 0; i < 7; ++i)
        snapshot.pages.push_back({"Page " + std::to_string(i), "http://127.0.0.1:9/first" + std::to_string(i),
                                  "http://127.0.0.1:9/now" + std::to_string(i), i % 2 == 0, {}});
    return snapshot;
}

} // namespace

// The snapshot with the engine's history bytes left out.
std::optional<RecoverySnapshot> WithoutSessions(std::optional<RecoverySnapshot> snapshot)
{
    if (snapshot)
        for (auto& page : snapshot->pages)
            page.session.clear();
    return snapshot;
}

class RecoveryOfferTest : public ProgramFixture {
protected:
    std::optional<RecoverySnapshot> Record() { return ReadPendingRecovery(*store_); }
    std::vector<std::string> Labels()
    {
        std::vector<std::string> labels;
        auto& list = program_->frmMain.Pages().List();
        for (int i = 0; i < list.PageCount(); ++i)
            labels.push_back(list.Caption(i));
        return labels;
    }
};

TEST_F(RecoveryOfferTest, RecordFollowsThePagesAndIsOfferedOnlyAfterAnUncleanEnd)
{
    Start();
    auto& list = program_->frmMain.Pages().List();
    EXPECT_FALSE(program_->frmMain.Recovery().IsOffering());
    list.OpenPage("http://127.0.0.1:9/news", "News");
    ASSERT_TRUE(RunUntil([&] { auto r = Record(); return r && r->pages.size() == 2; }))
        << "a page opened is in the record within about a second";
    list.SetPageLabel("Renamed");
    ASSERT_TRUE(RunUntil([&] { auto r = Record(); return r && r->pages.size() == 2 && r->pages[1].label == "Renamed"; }));
    EXPECT_EQ(Record()->profileKey, "Profile1");
    EXPECT_EQ(Record()->pages[1].firstURL, "http://127.0.0.1:9/news");

    // The program ends without its close: the next start offers the two pages.
    Stop();
    Start();
    auto& recovery = program_->frmMain.Recovery();
    ASSERT_TRUE(recovery.IsOffering());
    EXPECT_TRUE(recovery.OfferBar().get_visible());
    EXPECT_EQ(recovery.OfferText(), "Pandrel did not close normally. Restore the 2 pages of Profile 1?");
    EXPECT_EQ(Labels().size(), 1u) << "profile 1 opens as it was last saved";
    recovery.OfferBar().response(RecoveryRecorder::kRestoreResponse);
    EXPECT_FALSE(recovery.IsOffering());
    EXPECT_FALSE(recovery.OfferBar().get_visible());
    EXPECT_EQ(Labels().back(), "Renamed");
    EXPECT_EQ(Labels().size(), 2u);

    // A clean close never offers a restore.
    CloseByTitleBar();
    Stop();
    Start();
    EXPECT_FALSE(program_->frmMain.Recovery().IsOffering());
    EXPECT_EQ(Labels().size(), 2u) << "the restored pages were saved at the close";
}

TEST_F(RecoveryOfferTest, RestoreOpensTheRecordAsItsProfileAndDismissDropsIt)
{
    {
        platform::RegistryStore store(dir_.path());
        WriteRecoveryRecord(store, SevenPagesOfProfile3());
    }
    Start();
    auto& recovery = program_->frmMain.Recovery();
    ASSERT_TRUE(recovery.IsOffering());
    EXPECT_EQ(recovery.OfferText(), "Pandrel did not close normally. Restore the 7 pages of Profile 3?");
    recovery.OfferBar().response(RecoveryRecorder::kRestoreResponse);
    EXPECT_EQ(program_->frmMain.Profiles().CurrentProfile(), "Profile3");
    EXPECT_TRUE(program_->frmMain.Profiles().ButtonBar().Button(3).get_active());
    ASSERT_EQ(Labels().size(), 7u);
    EXPECT_EQ(Labels()[6], "Page 6");
    auto& list = program_->frmMain.Pages().List();
    EXPECT_EQ(list.PageInfo(2).FirstURL(), "http://127.0.0.1:9/first2");
    for (auto* control : platform::ScriptedBrowserControl::LiveInstances())
        control->CompleteNavigation();
    EXPECT_EQ(list.LocationURL(2), "http://127.0.0.1:9/now2");
    // The pages behind the shown one load once it has; each load completes.
    EXPECT_TRUE(RunUntil([&] {
        for (auto* control : platform::ScriptedBrowserControl::LiveInstances())
            control->CompleteNavigation();
        return WithoutSessions(Record()) == SevenPagesOfProfile3();
    })) << "the record follows the restored set";
    EXPECT_FALSE(Record()->pages[2].session.empty()) << "with each page's history";
    Stop();

    // Dismiss: the record goes, and the current set of profile 1 takes its place.
    Start();
    ASSERT_TRUE(program_->frmMain.Recovery().IsOffering());
    program_->frmMain.Recovery().OfferBar().response(RecoveryRecorder::kDismissResponse);
    EXPECT_FALSE(program_->frmMain.Recovery().IsOffering());
    EXPECT_EQ(program_->frmMain.Profiles().CurrentProfile(), "Profile1");
    auto record = Record();
    ASSERT_TRUE(record);
    EXPECT_EQ(record->profileKey, "Profile1");
    EXPECT_EQ(record->pages.size(), Labels().size());
}
