#pragma once
// Runs the whole program in-process on the scripted engine, with its own
// settings folder, collecting error reports instead of showing them.
#include "MainLoop.h"
#include "Program.h"
#include "RegistryStore.h"
#include "ScriptedBrowserEngine.h"
#include "StoreInspection.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class ProgramFixture : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the program on the settings folder, as a new process would,
    // and shows the main window.
    // A Welcome dialog that comes up is answered with Continue.
    void Start();
    // Closes the main window the way the title bar's close button does.
    void CloseByTitleBar();
    void Stop();

    // Runs the main loop until done() or about five seconds have passed.
    bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(5))
    {
        return ::RunUntil(done, limit);
    }

    TfrmMain& Main() { return program_->frmMain; }
    pages::PageList& List() { return Main().Pages().List(); }
    Gtk::ToggleButton& ProfileButton(int n) { return Main().Profiles().ButtonBar().Button(n); }
    // The scripted control behind page's browser.
    platform::ScriptedBrowserControl& Scripted(int page)
    {
        return *platform::ScriptedBrowserControl::Of(List().Browser(page).ControlInstance());
    }

    // A value of the program's key ("" for the key itself) as text or number.
    std::string StoredText(const std::string& key, const std::string& name)
    {
        return ::StoredText(*store_, key, name);
    }
    std::optional<std::int32_t> StoredNumber(const std::string& key, const std::string& name)
    {
        return ::StoredNumber(*store_, key, name);
    }

    TempDir dir_;
    std::filesystem::path settingsFolder_; // empty: dir_
    std::unique_ptr<platform::RegistryStore> store_;
    std::unique_ptr<Program> program_;
    std::vector<std::string> reports_;
    int welcomesShown_ = 0;
    bool mainVisibleDuringWelcome_ = false;
    std::optional<bool> mappedAtFirstPage_; // whether the main window was mapped when its first tab came

private:
    sigc::connection welcomeAnswer_;
};
