#include "TfrmMain.h"

#include "ErrorReport.h"
#include "ProgramIdentity.h"

#include <glibmm/main.h>

namespace {
constexpr int kInitialWidth = 696;
constexpr int kInitialHeight = 423;
constexpr int kTopPanelHeight = 38;
constexpr int kStatePanelWidth = 40;
constexpr int kBrowserPanelBorder = 2;
} // namespace

TfrmMain::TfrmMain()
{
    set_title(platform::kMainWindowCaption);
    set_default_size(kInitialWidth, kInitialHeight);
    set_position(Gtk::WIN_POS_CENTER);
    add_events(Gdk::BUTTON_PRESS_MASK);
    BuildLayout();
    ConnectCommands();
    FormCreate();
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::BuildLayout()
{
    pnlTop.set_size_request(-1, kTopPanelHeight);
    lblURL.set_margin_start(4);
    lblURL.set_margin_end(4);
    cboURL.set_valign(Gtk::ALIGN_CENTER);
    cboURL.set_size_request(387, -1);
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

    root_.pack_start(pnlTop, Gtk::PACK_SHRINK);
    root_.pack_start(pnlBrowser, Gtk::PACK_EXPAND_WIDGET);
    add(root_);

    auto css = Gtk::CssProvider::create();
    css->load_from_data(
        ".pandrel-state-panel { background-color: #ffffff; border: 1px solid #8c8c8c; "
        "margin: 2px; }"
        ".pandrel-main-toolbar { background: none; border: none; padding: 0; }");
    Gtk::StyleContext::add_provider_for_screen(get_screen(), css,
                                               GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    root_.show_all();
}

void TfrmMain::ConnectCommands()
{
    popMain.itmToolbar.signal_activate().connect(sigc::mem_fun(*this, &TfrmMain::itmToolbarClick));
    popMain.itmAbout.signal_activate().connect(sigc::mem_fun(*this, &TfrmMain::itmAboutClick));
    popMain.itmQuit.signal_activate().connect(sigc::mem_fun(*this, &TfrmMain::itmQuitClick));
    popMain.attach_to_widget(*this);
}

void TfrmMain::FormCreate()
{
    anmState.Open("animations/busy.png");
}

void TfrmMain::on_show()
{
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
    Gtk::Window::on_show();
}

void TfrmMain::FormShow()
{
    PostMaximizeMain();
}

void TfrmMain::PostMaximizeMain()
{
    Glib::signal_idle().connect_once([this] { platform::RunGuarded([this] { WMMaximizeMain(); }); });
}

void TfrmMain::WMMaximizeMain()
{
    maximize();
}

bool TfrmMain::on_delete_event(GdkEventAny*)
{
    platform::RunGuarded([this] { FormClose(); });
    hide();
    return true;
}

void TfrmMain::FormClose()
{
}

bool TfrmMain::on_button_press_event(GdkEventButton* event)
{
    if (event->type == GDK_BUTTON_PRESS && event->button == GDK_BUTTON_SECONDARY) {
        popMain.popup_at_pointer(reinterpret_cast<GdkEvent*>(event));
        return true;
    }
    return Gtk::Window::on_button_press_event(event);
}

void TfrmMain::itmQuitClick()
{
    close();
}

void TfrmMain::itmAboutClick()
{
}

void TfrmMain::itmToolbarClick()
{
    // The check item has flipped its own mark before this runs.
    pnlTop.set_visible(popMain.itmToolbar.get_active());
}
