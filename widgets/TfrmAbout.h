#pragma once
// The About box: the product's title, version, notices, a link to the maker's
// web site, the emblem, a looping animation and a note on what the program is,
// on a blue-to-red gradient. Made once and hidden, never destroyed, by OK.
#include "AnimationControl.h"
#include "BevelPanel.h"
#include "TKSVersionLabel.h"
#include "TLRGradFill.h"
#include "TTransparentBmp.h"
#include "TUrlLabel.h"

#include <gtkmm/button.h>
#include <gtkmm/cssprovider.h>
#include <gtkmm/label.h>
#include <gtkmm/window.h>

class TfrmAbout : public Gtk::Window {
public:
    TfrmAbout();

    // Shows the box without blocking; when it is already open, brings it to the front.
    void ShowModeless();

    TLRGradFill& GradFill() { return LRGradFill1; }
    TKSVersionLabel& VersionLabel() { return KSVersionLabel1; }
    TUrlLabel& UrlLabel() { return UrlLabel1; }
    TTransparentBmp& Emblem() { return TransparentBmp1; }
    platform::AnimationControl& Animation() { return anmAbout; }
    Gtk::Button& OkButton() { return Button1; }

protected:
    void on_show() override;
    bool on_delete_event(GdkEventAny* event) override;

private:
    void BuildLayout();
    void FormCreate();
    void Button1Click();

    TLRGradFill LRGradFill1;
    BevelPanel Panel1{BevelPanel::Bevel::Raised};
    BevelPanel Panel4{BevelPanel::Bevel::Lowered};
    platform::AnimationControl anmAbout;
    TTransparentBmp TransparentBmp1;
    Gtk::Label Label3;
    TKSVersionLabel KSVersionLabel1;
    Gtk::Label Label1;
    Gtk::Label Label2;
    TUrlLabel UrlLabel1;
    BevelPanel Panel2{BevelPanel::Bevel::Raised};
    Gtk::Label Label6;
    Gtk::Label Label7;
    BevelPanel Panel3{BevelPanel::Bevel::Raised};
    Gtk::Button Button1;
    Glib::RefPtr<Gtk::CssProvider> compactButton_;
};
