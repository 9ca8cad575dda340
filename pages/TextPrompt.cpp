#include "TextPrompt.h"

#include "AccessibleNames.h"
#include "DialogBorder.h"

#include <gtkmm/dialog.h>
#include <gtkmm/entry.h>
#include <gtkmm/label.h>

namespace pages {

std::optional<std::string> RunTextPrompt(Gtk::Window* parent, const std::string& caption,
                                         const std::string& prompt)
{
    Gtk::Dialog dialog(caption, true);
    if (parent)
        dialog.set_transient_for(*parent);
    dialog.set_position(parent ? Gtk::WIN_POS_CENTER_ON_PARENT : Gtk::WIN_POS_CENTER);
    platform::SetDialogBorder(dialog);

    Gtk::Label label(prompt, Gtk::ALIGN_START);
    Gtk::Entry field;
    field.set_activates_default(true);
    field.set_width_chars(40);
    platform::LabelFor(label, field);
    Gtk::Box* area = dialog.get_content_area();
    area->set_spacing(6);
    area->set_border_width(10);
    area->pack_start(label, Gtk::PACK_SHRINK);
    area->pack_start(field, Gtk::PACK_SHRINK);

    dialog.add_button("OK", Gtk::RESPONSE_OK);
    dialog.add_button("Cancel", Gtk::RESPONSE_CANCEL);
    dialog.set_default_response(Gtk::RESPONSE_OK);
    dialog.show_all_children();
    field.grab_focus();

    if (dialog.run() != Gtk::RESPONSE_OK)
        return std::nullopt;
    return std::string(field.get_text());
}

} // namespace pages
