#include "Pages.h"

namespace pages {

Pages::Pages(Gtk::Notebook& pgcMain, Gtk::ComboBoxText& cboURL, platform::AnimationControl& anmState,
             AddURLToHistoryFunction addURLToHistory)
    : list_(pgcMain), completion_(cboURL), navigation_(list_, cboURL, completion_, anmState, addURLToHistory),
      commands_(list_, addURLToHistory), cboURL_(cboURL)
{
    keyPress_ = cboURL_.get_entry()->signal_key_press_event().connect(
        sigc::mem_fun(*this, &Pages::OnURLBoxKeyPress), false);
}

Pages::~Pages()
{
    keyPress_.disconnect();
}

bool Pages::OnURLBoxKeyPress(GdkEventKey* event)
{
    guint key = event->keyval;
    navigation_.cboURLKeyDown(key, static_cast<GdkModifierType>(event->state));
    return false; // the key goes on to the box
}

} // namespace pages
