#include "BevelPanel.h"

#include "WidgetBackground.h"

#include <string>

namespace {

void SetSource(const Cairo::RefPtr<Cairo::Context>& cr, TColor colour)
{
    cr->set_source_rgb(RedOf(colour) / 255.0, GreenOf(colour) / 255.0, BlueOf(colour) / 255.0);
}

constexpr TColor kHighlight = clWhite;
constexpr TColor kShadow = 0x808080;

} // namespace

BevelPanel::BevelPanel(Bevel bevel) : bevel_(bevel), face_(Gtk::CssProvider::create())
{
    set_has_window(false);
    // Saying the face colour in the panel's style lets the controls on it
    // find the colour they stand on.
    const std::string face = "* { background-color: rgb(" + std::to_string(RedOf(kFace)) + "," +
                             std::to_string(GreenOf(kFace)) + "," + std::to_string(BlueOf(kFace)) + "); }";
    face_->load_from_data(face);
    get_style_context()->add_provider(face_, GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
}

void BevelPanel::get_preferred_width_vfunc(int& minimum, int& natural) const
{
    int width = 0, height = 0;
    get_size_request(width, height);
    if (width > 0)
        minimum = natural = width;
    else
        Gtk::Fixed::get_preferred_width_vfunc(minimum, natural);
}

void BevelPanel::get_preferred_height_vfunc(int& minimum, int& natural) const
{
    int width = 0, height = 0;
    get_size_request(width, height);
    if (height > 0)
        minimum = natural = height;
    else
        Gtk::Fixed::get_preferred_height_vfunc(minimum, natural);
}

bool BevelPanel::on_draw(const Cairo::RefPtr<Cairo::Context>& cr)
{
    const int width = get_allocated_width();
    const int height = get_allocated_height();
    cr->save();
    SetSource(cr, WidgetBackground(*this));
    cr->rectangle(0, 0, width, height);
    cr->fill();

    const bool raised = bevel_ == Bevel::Raised;
    cr->set_line_width(1);
    SetSource(cr, raised ? kHighlight : kShadow); // top and left
    cr->move_to(0.5, height);
    cr->line_to(0.5, 0.5);
    cr->line_to(width, 0.5);
    cr->stroke();
    SetSource(cr, raised ? kShadow : kHighlight); // bottom and right
    cr->move_to(width - 0.5, 0);
    cr->line_to(width - 0.5, height - 0.5);
    cr->line_to(0, height - 0.5);
    cr->stroke();
    cr->restore();
    return Gtk::Fixed::on_draw(cr);
}
