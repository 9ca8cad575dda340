#pragma once
// Fonts and colours of labels, given as the program's windows describe them: a
// family, a height in pixels, a style and a colour.
#include "TColor.h"

#include <gtkmm/label.h>

#include <string>

struct LabelStyle {
    std::string family;
    int pixelHeight = 11;
    bool bold = false;
    bool underline = false;
    TColor colour = clBlack;
};

// Applies the style to all of the label's text.
void ApplyLabelStyle(Gtk::Label& label, const LabelStyle& style);
