#pragma once
// A small main window for the pages: a notebook, a URL box and a busy
// animation, wired to pages::Pages over the scripted engine. It records the
// URL history and collects default error reports instead of showing them.
#include "AnimationControl.h"
#include "ErrorReport.h"
#include "Pages.h"
#include "ScriptedBrowserEngine.h"

#include <gtest/gtest.h>
#include <gtkmm.h>

#include <memory>
#include <string>
#include <vector>

class PagesFixture : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    platform::ScriptedBrowserControl& Scripted(int page);
    // Completes the pending navigation of page's browser.
    void Complete(int page);
    std::string BoxText() { return cboURL.get_entry_text(); }
    std::vector<std::string> Captions();

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
