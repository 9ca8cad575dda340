#pragma once
// The program's five windows, created once in their start order and living
// until the program ends: main window, About, Page Properties, Welcome and
// Profile Button Settings.
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
    TfrmAbout frmAbout;
    pages::TdlgProperties dlgProperties;
    TfrmWelcome frmWelcome;
    profiles::TfrmProfileButtonSettings frmProfileButtonSettings;

private:
    platform::RegistryStore& store_;
};
