#pragma once
// Names that screen readers speak for controls that show no text of their own
// (picture buttons, entries beside a label).
#include <string>

namespace Gtk {
class Container;
class Label;
class Widget;
} // namespace Gtk

namespace platform {

// The name assistive technologies read for widget.
void SetAccessibleName(Gtk::Widget& widget, const std::string& name);

// Ties label to field: the field is named by the label's text (without a
// trailing colon) and reports the label as the one that labels it.
void LabelFor(Gtk::Label& label, Gtk::Widget& field);

// Names "Close" every button inside bar (its own internal ones included) that
// shows only a picture, as the close button of an info bar or search bar does.
void NameCloseButtons(Gtk::Container& bar);

} // namespace platform
