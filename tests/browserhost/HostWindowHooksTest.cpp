// The owner-window hook (dialog captions, OnShowDialog) and the own-window
// hook's close requests, on real windows.
#include "HostOptions.h"
#include "HostOwnWindow.h"
#include "MainLoop.h"
#include "ScriptedBrowserEngine.h"
#include "TBrowserHost.h"

#include <gtest/gtest.h>
#include <gtkmm.h>

#include <chrono>
#include <functional>

using namespace platform;

namespace {

constexpr std::chrono::seconds kWindowLimit{10};

class HostWindowHooksTest : public testing::Test {
protected:
    void SetUp() override
    {
        RegisterScriptedEngine();
        static const bool named = [] {
            Glib::set_application_name("Pandrel");
            return true;
        }();
        (void)named;
        host_ = std::make_unique<TBrowserHost>();
        owner_.set_default_size(300, 200);
        owner_.add(*host_);
        owner_.show_all();
        owner_.present();
        ASSERT_TRUE(RunUntil([&] { return owner_.is_active(); }, kWindowLimit)) << "the owner window never became active";
    }
    void TearDown() override
    {
        owner_.remove();
        host_.reset();
    }

    // Shows window and waits until it has taken the activation from the owner.
    void TakeActivation(Gtk::Window& window)
    {
        window.set_transient_for(owner_);
        window.show();
        window.present();
        ASSERT_TRUE(RunUntil([&] { return window.is_active() && !owner_.is_active(); }, kWindowLimit));
        RunPendingEvents();
    }
    void GiveBack(Gtk::Window& window)
    {
        window.hide();
        owner_.present();
        RunUntil([&] { return owner_.is_active(); }, kWindowLimit);
    }

    Gtk::Window owner_;
    std::unique_ptr<TBrowserHost> host_;
};

} // namespace

TEST_F(HostWindowHooksTest, DialogsTakingTheActivationGetTheProgramsCaptionAndEveryTakerIsReported)
{
    std::vector<WindowHandle> reported;
    host_->ReplaceCaption = true;
    host_->OnShowDialog = [&](TBrowserControl* sender, WindowHandle h) {
        EXPECT_EQ(sender, host_.get());
        reported.push_back(h);
    };
    host_->Loaded();

    Gtk::Dialog dialog;
    dialog.set_title("Microsoft Internet Explorer");
    TakeActivation(dialog);
    EXPECT_EQ(dialog.get_title(), "Pandrel");
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0], static_cast<WindowHandle>(dialog.gobj()));
    GiveBack(dialog);

    Gtk::Window plain;
    plain.set_title("Microsoft Internet Explorer");
    TakeActivation(plain);
    EXPECT_EQ(plain.get_title(), "Microsoft Internet Explorer") << "not a dialog box";
    ASSERT_EQ(reported.size(), 2u);
    EXPECT_EQ(reported[1], static_cast<WindowHandle>(plain.gobj()));
    GiveBack(plain);

    host_->ReplaceCaption = false;
    Gtk::Dialog untouched;
    untouched.set_title("Microsoft Internet Explorer");
    TakeActivation(untouched);
    EXPECT_EQ(untouched.get_title(), "Microsoft Internet Explorer") << "ReplaceCaption is off";
    EXPECT_EQ(reported.size(), 3u);
    GiveBack(untouched);
}

TEST_F(HostWindowHooksTest, ADestroyedHostReportsNothingAndOutlivingTheOwnerIsSafe)
{
    int reports = 0;
    host_->OnShowDialog = [&](TBrowserControl*, WindowHandle) { ++reports; };
    host_->Loaded();
    owner_.remove();
    host_.reset();
    Gtk::Dialog dialog;
    TakeActivation(dialog);
    EXPECT_EQ(reports, 0);
    GiveBack(dialog);

    auto owner = std::make_unique<Gtk::Window>();
    auto host = std::make_unique<TBrowserHost>();
    owner->add(*host);
    owner->show_all();
    RunUntil([&] { return owner->get_realized(); }, kWindowLimit);
    host->OnShowDialog = [&](TBrowserControl*, WindowHandle) { ++reports; };
    host->Loaded();
    owner->remove();
    owner.reset(); // the owner goes first; the host's destructor must not touch it
    host.reset();
    EXPECT_EQ(reports, 0);
}

TEST_F(HostWindowHooksTest, CloseRequestsGoThroughOnCloseQuery)
{
    int asked = 0;
    bool allow = false;
    host_->OnCloseQuery = [&](TBrowserControl* sender, bool& CanClose) {
        EXPECT_EQ(sender, host_.get());
        EXPECT_TRUE(CanClose) << "CanClose starts out true";
        ++asked;
        CanClose = allow;
    };
    EXPECT_TRUE(host_->Options().OwnWindow().RequestClose()) << "before the loaded step the window just closes";
    EXPECT_EQ(asked, 0);
    host_->show();

    host_->Loaded();
    EXPECT_FALSE(host_->Options().OwnWindow().RequestClose());
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(host_->get_visible()) << "vetoed";
    allow = true;
    EXPECT_TRUE(host_->Options().OwnWindow().RequestClose());
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(host_->get_visible());
}
