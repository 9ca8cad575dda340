#include "Program.h"

#include "ErrorReport.h"

Program::Program(platform::RegistryStore& store) : frmMain(store), store_(store)
{
    frmMain.AttachWindows(frmAbout, dlgProperties, frmWelcome, frmProfileButtonSettings);
}

void Program::ReportStoreRecovery()
{
    if (!store_.RecoveryMessage().empty())
        platform::ReportError(store_.RecoveryMessage());
}
