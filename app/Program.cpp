#include "Program.h"

#include "DialogBorder.h"
#include "ErrorReport.h"

namespace {

// Every dialog belongs to the main window, so the window manager stacks it
// above the window and a later prompt above it.
template <typename Dialog>
std::function<void(Dialog&)> OwnedBy(Gtk::Window& owner)
{
    return [&owner](Dialog& dialog) { platform::SetDialogOwner(dialog, owner); };
}

} // namespace

Program::Program(platform::RegistryStore& store)
    : frmMain(store), store_(store), frmAbout_(OwnedBy<TfrmAbout>(frmMain)),
      dlgProperties_(OwnedBy<pages::TdlgProperties>(frmMain)), frmWelcome_(OwnedBy<TfrmWelcome>(frmMain)),
      frmProfileButtonSettings_(OwnedBy<profiles::TfrmProfileButtonSettings>(frmMain))
{
    frmMain.AttachDialogs({frmAbout_.Getter(), dlgProperties_.Getter(), frmWelcome_.Getter(),
                           frmProfileButtonSettings_.Getter()});
}

void Program::ReportStoreRecovery()
{
    if (!store_.RecoveryMessage().empty())
        platform::ReportError(store_.RecoveryMessage());
}
