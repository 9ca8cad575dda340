#include "PagesFixture.h"

#include "MainLoop.h"
#include "ModalAnswer.h"

void PagesFixture::SetUp()
{
    platform::RegisterScriptedEngine();
    previousSink_ = platform::SetErrorSink([this](const std::string& text) { reports.push_back(text); });
    layout.pack_start(cboURL, Gtk::PACK_SHRINK);
    layout.pack_start(anmState, Gtk::PACK_SHRINK);
    layout.pack_start(pgcMain, Gtk::PACK_EXPAND_WIDGET);
    window.add(layout);
    window.set_default_size(640, 480);
    pages = std::make_unique<pages::Pages>(pgcMain, cboURL, anmState, [this](const std::string& url) {
        history.push_back(url);
        cboURL.append(url);
    });
    window.show_all();
    RunPendingEvents();
}

void PagesFixture::TearDown()
{
    pages.reset();
    platform::SetErrorSink(previousSink_);
    window.hide();
    RunPendingEvents();
}

platform::ScriptedBrowserControl& PagesFixture::Scripted(int page)
{
    auto scripted = platform::ScriptedBrowserControl::Of(List().Browser(page).ControlInstance());
    if (!scripted)
        throw std::runtime_error("page " + std::to_string(page) + " has no scripted control");
    return *scripted;
}

void PagesFixture::Complete(int page)
{
    EXPECT_TRUE(Scripted(page).CompleteNavigation()) << "page " << page << " had no pending navigation";
}

std::vector<std::string> PagesFixture::Captions()
{
    std::vector<std::string> captions;
    for (int i = 0; i < List().PageCount(); ++i)
        captions.push_back(List().Caption(i));
    return captions;
}
