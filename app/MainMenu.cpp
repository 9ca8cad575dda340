#include "MainMenu.h"

MainMenu::MainMenu()
    : itmNewPage("_New Page", true),
      itmNewURL("New _URL", true),
      itmOptions("_Properties", true),
      itmBack("_Back", true),
      itmForward("_Forward", true),
      itmLabelPage("_Label Page", true),
      itmClosePage("_Close Page", true),
      itmToolbar("Main _Toolbar", true),
      itmProfileButtonsToolbar("P_rofile Buttons Toolbar", true),
      itmShowEmptyProfileButtons("Show Empty Profile Buttons", false),
      itmLoadPagesWhenShown("Load Pages When Shown", false),
      itmForgetSharedSiteData("Forget Shared Site Data…", false),
      itmAbout("_About", true),
      itmQuit("_Quit", true)
{
    itmToolbar.set_active(true);
    itmProfileButtonsToolbar.set_active(true);
    itmShowEmptyProfileButtons.set_active(true);

    for (Gtk::MenuItem* item : std::initializer_list<Gtk::MenuItem*>{
             &itmNewPage, &itmNewURL, &itmDiv6, &itmOptions, &itmDiv3, &itmBack, &itmForward,
             &itmLabelPage, &itmClosePage, &itmDiv2, &itmToolbar, &itmProfileButtonsToolbar,
             &itmShowEmptyProfileButtons, &itmLoadPagesWhenShown, &itmForgetSharedSiteData, &itmDiv7, &itmAbout, &itmDiv5, &itmQuit})
        append(*item);
    show_all();
}
