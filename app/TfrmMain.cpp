#include "TfrmMain.h"

#include "AccessibleNames.h"
#include "ErrorReport.h"
#include "PageLoadOption.h"
#include "ProgramIdentity.h"
#include "SearchAddress.h"
#include "ShowWelcomeOnce.h"
#include "TfrmAbout.h"
#include "TfrmWelcome.h"
#include "TooltipClicks.h"
#include "URLHistory.h"
#include "WindowBackground.h"

#include <glibmm/main.h>
#include <gtkmm/messagedialog.h>

namespace {
constexpr int kInitialWidth = 696;
constexpr int kInitialHeight = 423;
constexpr int kTopPanelHeight = 38;
constexpr int kStatePanelWidth = 40;
constexpr int kURLBoxWidth = 387;
constexpr int kBrowserPanelBorder = 2;
} // namespace

TfrmMain::TfrmMain(platform::RegistryStore& store) : store_(store)
{
    set_title(platform::kMainWindowCaption);
    set_default_size(kInitialWidth, kInitialHeight);
    set_position(Gtk::WIN_POS_CENTER);
    add_events(Gdk::BUTTON_PRESS_MASK);
    // A right click where a tooltip shows reaches the window and opens popMain.
    platform::LetClicksThroughTooltips();
    BuildLayout();
    FormCreate();
    ConnectCommands();
}

TfrmMain::~TfrmMain()
{
    maximizeMessage_.disconnect();
    shortcuts_.reset();
    // FormDestroy: the pages go before the widgets they live in.
    recovery_.reset();
    profiles_.reset();
    pageSet_.reset();
    pages_.reset();
}

void TfrmMain::BuildLayout()
{
    pnlTop.set_size_request(-1, kTopPanelHeight);
    lblURL.set_margin_start(4);
    lblURL.set_margin_end(4);
    cboURL.set_valign(Gtk::ALIGN_CENTER);
    cboURL.set_size_request(kURLBoxWidth, -1);
    platform::LabelFor(lblURL, *cboURL.get_entry());
    platform::SetAccessibleName(cboURL, "URL");
    anmState.SetAccessibleName("Page loading", true);
    pnlState.set_size_request(kStatePanelWidth, -1);
    pnlState.get_style_context()->add_class("pandrel-state-panel");
    pnlState.add(anmState);
    pnlTop.pack_start(tlbMain, Gtk::PACK_SHRINK);
    pnlTop.pack_start(lblURL, Gtk::PACK_SHRINK);
    pnlTop.pack_start(cboURL, Gtk::PACK_EXPAND_WIDGET);
    pnlTop.pack_end(pnlState, Gtk::PACK_SHRINK, 4);

    pgcMain.set_scrollable(true);
    pgcMain.set_show_border(true);
    pnlBrowser.set_border_width(kBrowserPanelBorder);
    pnlBrowser.pack_start(pgcMain, Gtk::PACK_EXPAND_WIDGET);

    root_.pack_start(barSandbox, Gtk::PACK_SHRINK);
    root_.pack_start(pnlTop, Gtk::PACK_SHRINK);
    root_.pack_start(pnlBrowser, Gtk::PACK_EXPAND_WIDGET);
    add(root_);

    auto css = Gtk::CssProvider::create();
    css->load_from_data(
        // The busy animation's box is a well in the theme's colours, as an entry is.
        ".pandrel-state-panel { background-color: @theme_base_color; border: 1px solid @borders; "
        "margin: 2px; }"
        ".pandrel-main-toolbar { background: none; border: none; padding: 0; }");
    Gtk::StyleContext::add_provider_for_screen(get_screen(), css,
                                               GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
}

void TfrmMain::FormCreate()
{
    anmState.Open("animations/busy.png");
    pages_ = std::make_unique<pages::Pages>(pgcMain, cboURL, anmState,
                                            [this](const std::string& url) { AddURLToHistory(url); });
    pages_->List().SetSearchAddress(
        [this] { return profiles::ReadSearchAddress(store_, pages::kDefaultSearchAddress); });
    pageSet_ = std::make_unique<MainPageSet>(pages_->List());
    profiles_ = std::make_unique<profiles::Profiles>(store_, *pageSet_);

    // The profile buttons sit between the top band and the pages.
    root_.pack_start(profiles_->pnlQuickLaunch(), Gtk::PACK_SHRINK);
    root_.reorder_child(profiles_->pnlQuickLaunch(), 2);
    // The offer to restore pages after an unclean end sits above the pages.
    recovery_ = std::make_unique<RecoveryRecorder>(store_, *profiles_, *pageSet_);
    root_.pack_start(recovery_->OfferBar(), Gtk::PACK_SHRINK);
    root_.reorder_child(recovery_->OfferBar(), 3);
    // A profile whose own site data was missing or damaged says so there too.
    root_.pack_start(barSiteData, Gtk::PACK_SHRINK);
    root_.reorder_child(barSiteData, 4);
    root_.show_all();
}

void TfrmMain::ConnectCommands()
{
    MainToolbar& t = tlbMain;
    pages::Navigation& nav = pages_->Nav();
    pages::PageCommands& commands = pages_->Commands();
    t.btnHome.signal_clicked().connect(sigc::mem_fun(nav, &pages::Navigation::btnHomeClick));
    t.btnBack.signal_clicked().connect(sigc::mem_fun(nav, &pages::Navigation::btnBackClick));
    t.btnForward.signal_clicked().connect(sigc::mem_fun(nav, &pages::Navigation::btnForwardClick));
    t.btnRefresh.signal_clicked().connect(sigc::mem_fun(nav, &pages::Navigation::btnRefreshClick));
    t.btnStopAll.signal_clicked().connect(sigc::mem_fun(nav, &pages::Navigation::btnStopAllClick));
    t.btnStop1.signal_clicked().connect(sigc::mem_fun(nav, &pages::Navigation::btnStop1Click));

    MainMenu& m = popMain;
    m.itmNewPage.signal_activate().connect(
        sigc::mem_fun(commands, &pages::PageCommands::itmNewPageClick));
    m.itmNewURL.signal_activate().connect(
        sigc::mem_fun(commands, &pages::PageCommands::itmNewURLClick));
    m.itmOptions.signal_activate().connect(
        sigc::mem_fun(commands, &pages::PageCommands::itmOptionsClick));
    m.itmBack.signal_activate().connect(sigc::mem_fun(nav, &pages::Navigation::itmBackClick));
    m.itmForward.signal_activate().connect(sigc::mem_fun(nav, &pages::Navigation::itmForwardClick));
    m.itmLabelPage.signal_activate().connect(
        sigc::mem_fun(commands, &pages::PageCommands::itmLabelPageClick));
    m.itmClosePage.signal_activate().connect(
        sigc::mem_fun(commands, &pages::PageCommands::itmClosePageClick));
    m.itmToolbar.signal_activate().connect(sigc::mem_fun(*this, &TfrmMain::itmToolbarClick));
    profiles_->AttachMenuItems(m.itmProfileButtonsToolbar, m.itmShowEmptyProfileButtons);
    profiles_->AttachForgetSharedItem(m.itmForgetSharedSiteData);
    m.itmLoadPagesWhenShown.signal_activate().connect(
        sigc::mem_fun(*this, &TfrmMain::itmLoadPagesWhenShownClick));
    m.itmAbout.signal_activate().connect(sigc::mem_fun(*this, &TfrmMain::itmAboutClick));
    m.itmQuit.signal_activate().connect(sigc::mem_fun(*this, &TfrmMain::itmQuitClick));
    m.attach_to_widget(*this);
    ConnectShortcuts();
}

void TfrmMain::AttachDialogs(MainDialogs dialogs)
{
    dialogs_ = std::move(dialogs);
    pages_->Commands().SetPropertiesDialog(dialogs_.properties);
    profiles_->SetButtonSettingsDialog(dialogs_.buttonSettings);
}

void TfrmMain::AddURLToHistory(const std::string& url)
{
    profiles::AddURLToHistory(store_, cboURL, url);
}

void TfrmMain::on_show()
{
    if (!shown_) {
        shown_ = true;
        // The desktop maps the window while the engine starts for the first
        // page; the window is first drawn with its pages, once FormShow is
        // over. A first run's Welcome dialog comes before the window instead.
        const bool mapFirst = !profiles::WelcomeDue(store_);
        if (mapFirst) {
            // The pages' views are realized after their first loads have
            // started, as they would be in a window mapped afterwards.
            pnlBrowser.hide();
            platform::ShowThemeColourUntilDrawn(*this);
            Gtk::Window::on_show();
            get_display()->flush();
        }
        platform::RunGuarded([this] { FormShow(); });
        pnlBrowser.show();
        // Over, also when an error ended it: the window takes pages and closes.
        started_ = true;
        if (mapFirst)
            return;
    }
    Gtk::Window::on_show();
}

void TfrmMain::FormShow()
{
    const bool loadWhenShown = profiles::ReadLoadPagesWhenShown(store_);
    pages_->List().SetLoadPagesWhenShown(loadWhenShown);
    popMain.itmLoadPagesWhenShown.set_active(loadWhenShown); // the handler then finds nothing to store
    profiles_->LoadProfilePages(profiles_->CurrentProfile());
    profiles_->LoadProfileButtonSettings();
    profiles::LoadURLHistory(store_, cboURL);
    profiles::ShowWelcomeOnce(store_, [this] { // swallows its own failures
        if (dialogs_.welcome)
            dialogs_.welcome().ShowModal();
    });
    if (pages_->List().PageCount() >= 2)
        pages_->List().SetCurrentPage(0);
    recovery_->Start();
    PostMaximizeMain();
}

void TfrmMain::PostMaximizeMain()
{
    maximizeMessage_.disconnect();
    maximizeMessage_ = Glib::signal_idle().connect([this] {
        platform::RunGuarded([this] { WMMaximizeMain(); });
        return false;
    });
}

void TfrmMain::WMMaximizeMain()
{
    maximize();
}

bool TfrmMain::on_delete_event(GdkEventAny*)
{
    if (ConfirmQuitWithRunningDownloads())
        CloseAndHide();
    return true;
}

// The close itself, run directly rather than through a close request, which
// GTK drops while a pop-up menu or dialog holds the input.
void TfrmMain::CloseAndHide()
{
    if (!get_visible())
        return;
    try {
        FormClose();
        recovery_->MarkClean();
    } catch (...) {
        platform::ReportCurrentException();
        // The pages could not be saved: stay open once, so nothing is lost
        // unseen; a second close after the report goes through.
        if (!closeFailed_) {
            closeFailed_ = true;
            return;
        }
    }
    hide();
}

void TfrmMain::FormClose()
{
    profiles_->SaveProfilePages(profiles_->CurrentProfile());
    profiles_->SaveProfileButtonSettings();
}

bool TfrmMain::HasOwnMenu(GdkEventButton* event)
{
    // The profile buttons open their own menu when the button is released.
    GtkWidget* quickLaunch = GTK_WIDGET(profiles_->pnlQuickLaunch().gobj());
    for (GtkWidget* w = gtk_get_event_widget(reinterpret_cast<GdkEvent*>(event));
         w && w != quickLaunch; w = gtk_widget_get_parent(w))
        if (GTK_IS_BUTTON(w) && gtk_widget_is_ancestor(w, quickLaunch))
            return true;
    return false;
}

bool TfrmMain::on_button_press_event(GdkEventButton* event)
{
    if (event->type == GDK_BUTTON_PRESS && event->button == GDK_BUTTON_SECONDARY &&
        !HasOwnMenu(event)) {
        popMain.popup_at_pointer(reinterpret_cast<GdkEvent*>(event));
        return true;
    }
    return Gtk::Window::on_button_press_event(event);
}

void TfrmMain::itmQuitClick()
{
    close();
}

void TfrmMain::CloseWithoutAsking()
{
    CloseAndHide();
}

// Quitting ends the downloads under way: the user says whether that is meant.
bool TfrmMain::ConfirmQuitWithRunningDownloads()
{
    const int running = runningDownloads_ ? runningDownloads_() : 0;
    if (running <= 0)
        return true;
    Gtk::MessageDialog question(*this, "Quit Pandrel?", false, Gtk::MESSAGE_QUESTION, Gtk::BUTTONS_NONE, true);
    question.set_title("Quit Pandrel?");
    question.set_secondary_text(running == 1 ? "A download is still running. Quitting stops it."
                                             : std::to_string(running) +
                                                   " downloads are still running. Quitting stops them.");
    question.add_button("_Cancel", Gtk::RESPONSE_CANCEL);
    question.add_button("_Quit", Gtk::RESPONSE_OK);
    question.set_default_response(Gtk::RESPONSE_CANCEL);
    return question.run() == Gtk::RESPONSE_OK;
}

void TfrmMain::itmAboutClick()
{
    if (dialogs_.about)
        dialogs_.about().ShowModeless();
}

void TfrmMain::itmLoadPagesWhenShownClick()
{
    // The check item has flipped its own mark before this runs.
    const bool on = popMain.itmLoadPagesWhenShown.get_active();
    if (on == pages_->List().LoadPagesWhenShown())
        return;
    pages_->List().SetLoadPagesWhenShown(on);
    profiles::WriteLoadPagesWhenShown(store_, on);
}

void TfrmMain::itmToolbarClick()
{
    // The check item has flipped its own mark before this runs.
    pnlTop.set_visible(popMain.itmToolbar.get_active());
}
