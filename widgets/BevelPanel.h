#pragma once
// A plain panel in a fixed face colour with a one-pixel raised or lowered
// bevel; children sit on it at pixel positions measured from its outer corner.
// The face does not follow the desktop's theme: the panel stands on a backdrop
// of fixed colours and the texts on it have fixed colours of their own, so a
// dark theme must not turn it dark under them.
#include "TColor.h"

#include <gtkmm/cssprovider.h>
#include <gtkmm/fixed.h>

class BevelPanel : public Gtk::Fixed {
public:
    enum class Bevel { Raised, Lowered };

    // Classic light grey of a button face.
    static constexpr TColor kFace = 0xF0F0F0;

    explicit BevelPanel(Bevel bevel);

protected:
    // The panel is as large as its size request, whatever its children ask for.
    void get_preferred_width_vfunc(int& minimum, int& natural) const override;
    void get_preferred_height_vfunc(int& minimum, int& natural) const override;
    bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;

private:
    Bevel bevel_;
    Glib::RefPtr<Gtk::CssProvider> face_;
};
