#include "TfrmWelcome.h"

#include "DialogBorder.h"
#include "ProgramIdentity.h"

TfrmWelcome::TfrmWelcome()
    : btnContinue("_Continue", true),
      lblWelcome("Welcome to Kestrane Pan Drel..."),
      lblTip1("Tip: To access the pop-up menu use the right mouse button over the tabs or the "
              "toolbar buttons as depicted below.")
{
    set_title("Welcome");
    platform::SetDialogBorder(*this);
    set_position(Gtk::WIN_POS_CENTER);
    set_modal(true);
    set_skip_taskbar_hint(true);
    get_content_area()->set_border_width(0);
    set_size_request(439, 339);

    lblTip1.set_line_wrap(true);
    lblTip1.set_max_width_chars(1); // wrap at the fixed width, not the text's own
    lblTip1.set_xalign(0);
    lblTip1.set_yalign(0);
    lblTip1.set_size_request(425, 33);
    imgTip1.SetPicture("welcome.png");
    imgTip1.set_size_request(217, 201);
    btnContinue.set_size_request(75, 25);
    btnContinue.signal_clicked().connect(sigc::mem_fun(*this, &TfrmWelcome::btnContinueClick));

    layout_.put(lblWelcome, 128, 8);
    layout_.put(lblTip1, 8, 40);
    layout_.put(imgTip1, 104, 88);
    layout_.put(btnContinue, 184, 304);
    layout_.set_size_request(439, 339);
    get_content_area()->pack_start(layout_, Gtk::PACK_EXPAND_WIDGET);
    show_all_children();
}

void TfrmWelcome::ShowModal()
{
    btnContinue.grab_focus();
    run();
    hide();
}

void TfrmWelcome::btnContinueClick()
{
    response(Gtk::RESPONSE_OK);
}
