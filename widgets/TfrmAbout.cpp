#include "TfrmAbout.h"

#include "DialogBorder.h"
#include "LabelStyle.h"
#include "ProgramIdentity.h"

#include <gdkmm/pixbuf.h>

namespace {

constexpr const char* kCaption = "About";
constexpr const char* kNotice1 = "Copyright 2026 Kestrane.";
constexpr const char* kNotice2 = "GNU GPL 3.0 or later.";
constexpr const char* kNote1 =
    "Pandrel is a tabbed front end for your desktop's web engine, not a browser of its own.";
constexpr const char* kNote2 = "It keeps your pages in tabs and profiles between sessions.";
constexpr const char* kOkCaption = "_OK";
constexpr const char* kEmblemPicture = "emblem.png";
constexpr const char* kSharperEmblemPicture = "emblem@2x.png";
constexpr const char* kAnimationClip = "animations/about.png";

constexpr int kClientWidth = 344;
constexpr int kClientHeight = 264;
constexpr int kAnimationSide = 64;
constexpr int kAnimationLastFrame = 60;
constexpr unsigned kAnimationIntervalMs = 60;

constexpr TColor kWindowText = clBlack;
constexpr const char* kPanelFont = "MS Sans Serif, Arial";
// A push button of the stated 25 pixels, lower than the theme's own buttons.
constexpr const char* kCompactButton = "button { min-height: 0; padding-top: 0; padding-bottom: 0; }";

void Place(Gtk::Fixed& parent, Gtk::Widget& child, int left, int top, int width, int height)
{
    child.set_size_request(width, height);
    parent.put(child, left, top);
}

// A label of fixed size whose text is centred in it.
void Centred(Gtk::Label& label)
{
    label.set_justify(Gtk::JUSTIFY_CENTER);
    label.set_xalign(0.5);
    label.set_yalign(0);
}

// A label of fixed width whose text wraps inside it.
void Wrapped(Gtk::Label& label)
{
    label.set_line_wrap(true);
    label.set_max_width_chars(1); // the size request alone decides the width
    label.set_xalign(0);
    label.set_yalign(0);
}

} // namespace

TfrmAbout::TfrmAbout()
    : anmAbout(kAnimationSide, kAnimationSide, kAnimationIntervalMs),
      compactButton_(Gtk::CssProvider::create())
{
    set_title(kCaption);
    platform::SetDialogBorder(*this);
    set_position(Gtk::WIN_POS_CENTER);
    BuildLayout();
    FormCreate();
}

void TfrmAbout::BuildLayout()
{
    LRGradFill1.set_size_request(kClientWidth, kClientHeight);
    LRGradFill1.SetColour1(clBlue);
    LRGradFill1.SetColour2(clRed);
    LRGradFill1.SetFill(TLRGradFillType::lrgftTopToBottom);
    add(LRGradFill1);

    Place(LRGradFill1, Panel1, 16, 15, 313, 87);
    Place(Panel1, Panel4, 8, 10, 68, 68);
    Place(Panel4, anmAbout, 2, 2, kAnimationSide, kAnimationSide);

    TransparentBmp1.SetBitMap(
        Gdk::Pixbuf::create_from_resource(platform::ResourcePath(kEmblemPicture)));
    TransparentBmp1.SetSharperBitMap(
        Gdk::Pixbuf::create_from_resource(platform::ResourcePath(kSharperEmblemPicture)));
    TransparentBmp1.SetTransparentColor(clNone);
    TransparentBmp1.SetSize(33, 33); // one pixel wider and higher than the picture
    Panel1.put(TransparentBmp1, 96, 7);

    Label3.set_text(platform::kProductTitle);
    Centred(Label3);
    ApplyLabelStyle(Label3, {"Arial", 16, true, false, clNavy});
    Place(Panel1, Label3, 136, 7, 169, 19);

    Centred(KSVersionLabel1);
    KSVersionLabel1.SetDisplayFormat(TKSVerLabelDisplayFormat::ldfDefault);
    ApplyLabelStyle(KSVersionLabel1, {"Arial", 11, false, false, kWindowText});
    Place(Panel1, KSVersionLabel1, 136, 26, 168, 14);

    for (Gtk::Label* notice : {&Label1, &Label2}) {
        Centred(*notice);
        ApplyLabelStyle(*notice, {"Arial", 11, true, false, kWindowText});
    }
    Label1.set_text(kNotice1);
    Label2.set_text(kNotice2);
    Place(Panel1, Label1, 136, 39, 169, 16);
    Place(Panel1, Label2, 136, 52, 169, 16);

    UrlLabel1.SetCaption(platform::kMakerWebSite);
    UrlLabel1.SetURL(platform::kMakerWebSite);
    ApplyLabelStyle(UrlLabel1.Label(), {"Arial", 9, true, true, clBlue});
    Place(Panel1, UrlLabel1, 162, 68, 118, 11);

    Place(LRGradFill1, Panel2, 16, 108, 313, 93);
    for (Gtk::Label* note : {&Label6, &Label7}) {
        Wrapped(*note);
        ApplyLabelStyle(*note, {kPanelFont, 11, true, false, clNavy});
    }
    Label6.set_text(kNote1);
    Label7.set_text(kNote2);
    Place(Panel2, Label6, 8, 7, 289, 42);
    Place(Panel2, Label7, 8, 54, 289, 35);

    Place(LRGradFill1, Panel3, 16, 207, 313, 42);
    Button1.set_label(kOkCaption);
    Button1.set_use_underline(true);
    compactButton_->load_from_data(kCompactButton);
    Button1.get_style_context()->add_provider(compactButton_, GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    Button1.signal_clicked().connect(sigc::mem_fun(*this, &TfrmAbout::Button1Click));
    Place(Panel3, Button1, 115, 8, 75, 25);

    LRGradFill1.show_all();
}

void TfrmAbout::FormCreate()
{
    // The clip loops from its first frame to frame 60, also while the box is hidden.
    anmAbout.Open(kAnimationClip);
    anmAbout.SetLastFrame(kAnimationLastFrame);
    anmAbout.SetActive(true);
    anmAbout.SetAccessibleName("Kestrane Pandrel emblem", false);
}

void TfrmAbout::ShowModeless()
{
    present();
}

void TfrmAbout::on_show()
{
    Gtk::Window::on_show();
    // OK has the focus first: Enter or space closes the box, Escape does not;
    // Tab reaches the link.
    Button1.grab_focus();
}

bool TfrmAbout::on_delete_event(GdkEventAny*)
{
    hide(); // closing keeps the box and its state for the next show
    return true;
}

void TfrmAbout::Button1Click()
{
    hide();
}
