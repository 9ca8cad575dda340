#include "Utf8Text.h"

#include "Utf8Strict.h"

#include <glib.h>

namespace pages {
namespace {

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

char32_t FoldCodePoint(char32_t c)
{
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c;
    return static_cast<char32_t>(g_unichar_tolower(static_cast<gunichar>(c)));
}

} // namespace

std::u32string DecodeUtf8(const std::string& text)
{
    std::u32string out;
    out.reserve(text.size());
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p < end)
        out += platform::DecodeUtf8CodePoint(p, end);
    return out;
}

std::string EncodeUtf8(const std::u32string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text)
        AppendUtf8(out, c);
    return out;
}

std::string FoldCase(const std::u32string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text)
        AppendUtf8(out, FoldCodePoint(c));
    return out;
}

std::string FoldCase(const std::string& utf8Text)
{
    // Plain ASCII, the usual case for URLs, needs no decoding.
    bool ascii = true;
    for (char c : utf8Text)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (!ascii)
        return FoldCase(DecodeUtf8(utf8Text));
    std::string out = utf8Text;
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

int CodePointCount(const std::string& utf8Text)
{
    return static_cast<int>(DecodeUtf8(utf8Text).size());
}

} // namespace pages
