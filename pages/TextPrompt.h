#pragma once
// A modal prompt for one line of text: a caption, a prompt line, an edit field
// that starts empty, OK (the default, also Enter in the field) and Cancel.
#include <optional>
#include <string>

namespace Gtk {
class Window;
}

namespace pages {

// The text as typed (untrimmed) on OK; nothing on Cancel, Esc or close.
std::optional<std::string> RunTextPrompt(Gtk::Window* parent, const std::string& caption,
                                         const std::string& prompt);

} // namespace pages
