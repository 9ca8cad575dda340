#pragma once
// A plain panel in the window's face colour with a one-pixel raised or lowered
// bevel; children sit on it at pixel positions measured from its outer corner.
#include <gtkmm/cssprovider.h>
#include <gtkmm/fixed.h>

class BevelPanel : public Gtk::Fixed {
public:
    enum class Bevel { Raised, Lowered };

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
