#include "CaptionText.h"

#include "Utf8Strict.h"

#include <glib.h>

#include <algorithm>
#include <memory>

namespace platform {
namespace {

// Lines of a tooltip hold about this many characters.
constexpr int kTooltipWidthChars = 80;

} // namespace

std::string OneLine(const std::string& text)
{
    const std::string valid = ValidUtf8(text);
    std::string line;
    line.reserve(text.size());
    for (const char* p = valid.c_str(); *p; p = g_utf8_next_char(p)) {
        const gunichar c = g_utf8_get_char(p);
        if (g_unichar_iscntrl(c) || c == 0x2028 || c == 0x2029)
            line += ' ';
        else
            line.append(p, static_cast<std::size_t>(g_utf8_next_char(p) - p));
    }
    return line;
}

void ShowCaption(Gtk::Label& label, const std::string& caption, int maxWidthChars)
{
    label.set_single_line_mode(true);
    label.set_ellipsize(Pango::ELLIPSIZE_END);
    const std::string line = OneLine(caption);
    label.set_max_width_chars(maxWidthChars);
    // A notebook gives its tabs only the room they need at least: ask for the
    // caption's width up to the bound, so short captions show whole.
    const int chars = static_cast<int>(g_utf8_strlen(line.c_str(), -1));
    label.set_width_chars(maxWidthChars < 0 ? -1 : std::min(chars, maxWidthChars));
    label.set_text(line);
}

LongTooltip::LongTooltip(Gtk::Widget& widget) : widget_(widget)
{
    // Before the widget's own handler, which would show its plain tooltip text.
    query_ = widget_.signal_query_tooltip().connect(sigc::mem_fun(*this, &LongTooltip::OnQuery), false);
}

LongTooltip::~LongTooltip()
{
    query_.disconnect();
}

void LongTooltip::SetText(const std::string& text)
{
    text_ = text;
    if (!text_.empty())
        widget_.set_has_tooltip(true);
    widget_.trigger_tooltip_query();
}

bool LongTooltip::OnQuery(int, int, bool, const Glib::RefPtr<Gtk::Tooltip>& tooltip)
{
    if (text_.empty())
        return false;
    auto* label = Gtk::manage(new Gtk::Label(ValidUtf8(text_)));
    label->set_line_wrap(true);
    label->set_line_wrap_mode(Pango::WRAP_WORD_CHAR);
    label->set_max_width_chars(kTooltipWidthChars);
    label->set_xalign(0);
    label->show();
    tooltip->set_custom(*label);
    return true;
}

} // namespace platform
