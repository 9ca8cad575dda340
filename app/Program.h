#pragma once
// The program's five windows: the main window, made first, and About, Page
// Properties, Welcome and Profile Button Settings, each made the first time it
// is shown and then kept, hidden and shown again, until the program ends.
#include "BuiltOnFirstUse.h"
#include "TdlgProperties.h"
#include "TfrmAbout.h"
#include "TfrmMain.h"
#include "TfrmProfileButtonSettings.h"
#include "TfrmWelcome.h"

#include "RegistryStore.h"

class Program {
public:
    explicit Program(platform::RegistryStore& store);

    // Tells the user once when the settings file was damaged and set aside.
    void ReportStoreRecovery();

    TfrmMain frmMain;
    // Each dialog, made now if it was not made before.
    TfrmAbout& frmAbout() { return frmAbout_.Get(); }
    pages::TdlgProperties& dlgProperties() { return dlgProperties_.Get(); }
    TfrmWelcome& frmWelcome() { return frmWelcome_.Get(); }
    profiles::TfrmProfileButtonSettings& frmProfileButtonSettings() { return frmProfileButtonSettings_.Get(); }

private:
    platform::RegistryStore& store_;
    // After frmMain, so they go before the window that owns them.
    platform::BuiltOnFirstUse<TfrmAbout> frmAbout_;
    platform::BuiltOnFirstUse<pages::TdlgProperties> dlgProperties_;
    platform::BuiltOnFirstUse<TfrmWelcome> frmWelcome_;
    platform::BuiltOnFirstUse<profiles::TfrmProfileButtonSettings> frmProfileButtonSettings_;
};
