#include "ProgramFixture.h"

#include "ErrorReport.h"
#include "ModalAnswer.h"
#include "ScriptedBrowserEngine.h"
#include "WidgetSearch.h"

#include <gtkmm.h>


void ProgramFixture::SetUp()
{
    platform::RegisterScriptedEngine();
    platform::SetErrorSink([this](const std::string& text) { reports_.push_back(text); });
}

void ProgramFixture::TearDown()
{
    Stop();
    platform::SetErrorSink({});
}

void ProgramFixture::Start()
{
    store_.reset();
    store_ = std::make_unique<platform::RegistryStore>(settingsFolder_.empty() ? dir_.path()
                                                                              : settingsFolder_);
    program_ = std::make_unique<Program>(*store_);
    program_->ReportStoreRecovery();
    // The Welcome dialog runs its own loop inside the main window's show step:
    // answer it from there, noting what the screen looked like.
    welcomeAnswer_ = Glib::signal_timeout().connect(
        [this] {
            if (TfrmWelcome* welcome = program_ ? FindVisibleWindowOf<TfrmWelcome>() : nullptr) {
                ++welcomesShown_;
                mainVisibleDuringWelcome_ = program_->frmMain.get_mapped();
                welcome->btnContinue.clicked();
            }
            return true;
        },
        20);
    mappedAtFirstPage_.reset();
    program_->frmMain.PageControl().signal_page_added().connect([this](Gtk::Widget*, guint) {
        if (!mappedAtFirstPage_)
            mappedAtFirstPage_ = program_->frmMain.get_mapped();
    });
    program_->frmMain.show();
    ASSERT_TRUE(RunUntil([this] { return program_->frmMain.get_mapped(); }));
}

void ProgramFixture::CloseByTitleBar()
{
    SendDeleteEvent(program_->frmMain);
    RunPendingEvents();
}

void ProgramFixture::Stop()
{
    welcomeAnswer_.disconnect();
    program_.reset();
    RunPendingEvents();
}
