#pragma once
// A small main window for the pages: a notebook, a URL box and a busy
// animation, wired to pages::Pages over the scripted engine (a derived
// fixture may register another). It records the URL history and collects
// default error reports instead of showing them.
// Header only: it needs the pages room, which only some test programs link.
#include "AnimationControl.h"
#include "ErrorReport.h"
#include "MainLoop.h"
#include "ModalAnswer.h"
#include "Pages.h"
#include "ScriptedBrowserEngine.h"

#include <gtest/gtest.h>
#include <gtkmm.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

class PagesFixture : public testing::Test {
protected:
    void SetUp() override
    {
        RegisterEngine();
        previousSink_ = platform::SetErrorSink([this](const std::string& text) { reports.push_back(text); });
        layout.pack_start(cboURL, Gtk::PACK_SHRINK);
        layout.pack_start(anmState, Gtk::PACK_SHRINK);
        layout.pack_start(pgcMain, Gtk::PACK_EXPAND_WIDGET);
        window.add(layout);
        window.set_default_size(800, 600);
        pages = std::make_unique<pages::Pages>(pgcMain, cboURL, anmState, [this](const std::string& url) {
            history.push_back(url);
            cboURL.append(url);
        });
        window.show_all();
        RunPendingEvents();
    }
    void TearDown() override
    {
        pages.reset();
        // Closing the pages queues their last work on the main loop.
        RunPendingEvents();
        platform::SetErrorSink(previousSink_);
        window.hide();
        RunPendingEvents();
    }
    // Registers the engine the pages' browsers come from.
    virtual void RegisterEngine() { platform::RegisterScriptedEngine(); }

    platform::ScriptedBrowserControl& Scripted(int page)
    {
        auto scripted = platform::ScriptedBrowserControl::Of(List().Browser(page).ControlInstance());
        if (!scripted)
            throw std::runtime_error("page " + std::to_string(page) + " has no scripted control");
        return *scripted;
    }
    // Completes the pending navigation of page's browser.
    void Complete(int page)
    {
        EXPECT_TRUE(Scripted(page).CompleteNavigation()) << "page " << page << " had no pending navigation";
    }
    // Types text into the URL box and presses Enter there, as a user does.
    void PressEnter(const std::string& text, GdkModifierType state = GdkModifierType(0))
    {
        cboURL.get_entry()->set_text(text);
        cboURL.get_entry()->grab_focus();
        SendKey(*cboURL.get_entry(), GDK_KEY_Return, state);
    }
    std::string BoxText() { return cboURL.get_entry_text(); }
    std::vector<std::string> Captions()
    {
        std::vector<std::string> captions;
        for (int i = 0; i < List().PageCount(); ++i)
            captions.push_back(List().Caption(i));
        return captions;
    }

    pages::PageList& List() { return pages->List(); }
    pages::Navigation& Nav() { return pages->Nav(); }
    pages::PageCommands& Commands() { return pages->Commands(); }

    Gtk::Window window;
    Gtk::Box layout{Gtk::ORIENTATION_VERTICAL};
    Gtk::ComboBoxText cboURL{true};
    platform::AnimationControl anmState{32, 29, 100};
    Gtk::Notebook pgcMain;
    std::unique_ptr<pages::Pages> pages;
    std::vector<std::string> history;
    std::vector<std::string> reports;

private:
    platform::ErrorSink previousSink_;
};
