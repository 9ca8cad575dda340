#pragma once
// The colour a widget shows behind its content: its own background, or that of
// the nearest ancestor with one.
#include "TColor.h"

#include <gtkmm/widget.h>

// White when neither the widget nor any ancestor has a background colour.
TColor WidgetBackground(const Gtk::Widget& widget);
