#pragma once
// Names that screen readers speak for controls that show no text of their own
// (picture buttons, entries beside a label).
#include <string>

namespace Gtk {
class Label;
class Widget;
} // namespace Gtk

namespace platform {

// The name assistive technologies read for widget.
void SetAccessibleName(Gtk::Widget& widget, const std::string& name);

// Ties label to field: the field is named by the label's text (without a
// trailing colon) and reports the label as the one that labels it.
void LabelFor(Gtk::Label& label, Gtk::Widget& field);

} // namespace platform
