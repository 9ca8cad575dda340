#include "LabelStyle.h"

#include <pangomm/attrlist.h>

void ApplyLabelStyle(Gtk::Label& label, const LabelStyle& style)
{
    Pango::FontDescription font;
    font.set_family(style.family);
    font.set_absolute_size(style.pixelHeight * PANGO_SCALE);
    font.set_weight(style.bold ? Pango::WEIGHT_BOLD : Pango::WEIGHT_NORMAL);

    Pango::AttrList attributes;
    auto fontAttribute = Pango::Attribute::create_attr_font_desc(font);
    attributes.insert(fontAttribute);
    auto colourAttribute = Pango::Attribute::create_attr_foreground(
        static_cast<guint16>(RedOf(style.colour) * 257), static_cast<guint16>(GreenOf(style.colour) * 257),
        static_cast<guint16>(BlueOf(style.colour) * 257));
    attributes.insert(colourAttribute);
    if (style.underline) {
        auto underline = Pango::Attribute::create_attr_underline(Pango::UNDERLINE_SINGLE);
        attributes.insert(underline);
    }
    label.set_attributes(attributes);
}
