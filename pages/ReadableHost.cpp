#include "ReadableHost.h"

#include "GObjectPtr.h"
#include "LookalikeCharacters.h"

#include <glib.h>

#include <algorithm>
#include <set>
#include <vector>

namespace pages {
namespace {

using Scripts = std::set<GUnicodeScript>;

// The mixes of scripts a label may hold: Latin with the scripts that are
// written together with it in Japanese, Chinese and Korean.
const std::vector<Scripts>& AllowedMixes()
{
    static const std::vector<Scripts> mixes = {
        {G_UNICODE_SCRIPT_LATIN, G_UNICODE_SCRIPT_HAN, G_UNICODE_SCRIPT_HIRAGANA, G_UNICODE_SCRIPT_KATAKANA},
        {G_UNICODE_SCRIPT_LATIN, G_UNICODE_SCRIPT_HAN, G_UNICODE_SCRIPT_BOPOMOFO},
        {G_UNICODE_SCRIPT_LATIN, G_UNICODE_SCRIPT_HAN, G_UNICODE_SCRIPT_HANGUL},
    };
    return mixes;
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at = text.find(separator); at != std::string::npos; at = text.find(separator, start)) {
        parts.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

std::vector<gunichar> CodePoints(const std::string& utf8)
{
    std::vector<gunichar> points;
    for (const char* p = utf8.c_str(); *p; p = g_utf8_next_char(p))
        points.push_back(g_utf8_get_char(p));
    return points;
}

bool IsAsciiLetterOrDigit(gunichar c)
{
    return c < 0x80 && g_ascii_isalnum(static_cast<char>(c));
}

// Whether c may stand in a shown label; its script joins scripts.
bool IsAllowedCharacter(gunichar c, Scripts& scripts)
{
    if (IsAsciiLetterOrDigit(c) || c == '-') {
        if (g_ascii_isalpha(static_cast<char>(c)))
            scripts.insert(G_UNICODE_SCRIPT_LATIN);
        return true;
    }
    if (c < 0x80 || HidesMeaning(c))
        return false;
    const GUnicodeType type = g_unichar_type(c);
    const bool letter = type == G_UNICODE_LOWERCASE_LETTER || type == G_UNICODE_OTHER_LETTER ||
                        type == G_UNICODE_MODIFIER_LETTER;
    const bool markOrDigit = type == G_UNICODE_NON_SPACING_MARK || type == G_UNICODE_SPACING_MARK ||
                             type == G_UNICODE_DECIMAL_NUMBER;
    if (!letter && !markOrDigit)
        return false; // capitals (never in a host), symbols, punctuation, other numbers
    const GUnicodeScript script = g_unichar_get_script(c);
    if (script == G_UNICODE_SCRIPT_COMMON)
        return letter; // the Kana length mark; not full-width digits
    if (!IsRecommendedScript(script))
        return false; // combining marks of no script of their own go here too
    scripts.insert(script);
    return true;
}

bool IsAllowedMix(const Scripts& scripts)
{
    if (scripts.size() <= 1)
        return true;
    return std::any_of(AllowedMixes().begin(), AllowedMixes().end(), [&](const Scripts& mix) {
        return std::includes(mix.begin(), mix.end(), scripts.begin(), scripts.end());
    });
}

// The one script of label's letters, or COMMON when none or several.
GUnicodeScript ScriptOf(const std::string& label)
{
    Scripts scripts;
    for (gunichar c : CodePoints(label))
        if (!IsAllowedCharacter(c, scripts))
            return G_UNICODE_SCRIPT_COMMON;
    return scripts.size() == 1 ? *scripts.begin() : G_UNICODE_SCRIPT_COMMON;
}

// A label made only of letters that pass for Latin ones, under a top-level
// label not of their script.
bool PassesForLatin(const std::vector<gunichar>& label, GUnicodeScript script, GUnicodeScript topLevelScript)
{
    if (script == G_UNICODE_SCRIPT_LATIN || script == topLevelScript)
        return false;
    bool anyLetter = false;
    for (gunichar c : label) {
        if (IsAsciiLetterOrDigit(c) && !g_ascii_isalpha(static_cast<char>(c)))
            continue; // digits
        if (c == '-')
            continue;
        if (!LooksLikeLatin(c))
            return false;
        anyLetter = true;
    }
    return anyLetter;
}

bool ShowsAsItself(const std::string& label, GUnicodeScript topLevelScript)
{
    const std::string normal = platform::TakeGText(g_utf8_normalize(label.c_str(), -1, G_NORMALIZE_NFC));
    if (normal != label)
        return false;
    const std::vector<gunichar> points = CodePoints(label);
    Scripts scripts;
    for (gunichar c : points)
        if (!IsAllowedCharacter(c, scripts))
            return false;
    if (!IsAllowedMix(scripts))
        return false;
    const bool latin = scripts.count(G_UNICODE_SCRIPT_LATIN) > 0;
    const bool strokes = std::any_of(points.begin(), points.end(), LooksLikeSeparator);
    if (strokes && (latin || std::all_of(points.begin(), points.end(), LooksLikeSeparator)))
        return false;
    return scripts.size() != 1 || !PassesForLatin(points, *scripts.begin(), topLevelScript);
}

} // namespace

std::string ReadableHost(const std::string& given)
{
    // A host in Unicode already is judged by its ASCII form like any other.
    const std::string host =
        g_str_is_ascii(given.c_str()) ? given : platform::TakeGText(g_hostname_to_ascii(given.c_str()));
    if (host.empty())
        return given;
    if (!g_hostname_is_ascii_encoded(host.c_str()))
        return host;
    const std::string unicode = platform::TakeGText(g_hostname_to_unicode(host.c_str()));
    if (unicode.empty() || !g_utf8_validate(unicode.c_str(), -1, nullptr))
        return host;
    const std::vector<std::string> asciiLabels = Split(host, '.');
    const std::vector<std::string> labels = Split(unicode, '.');
    if (labels.size() != asciiLabels.size())
        return host;
    const GUnicodeScript topLevelScript = ScriptOf(labels.back());
    for (std::size_t i = 0; i < labels.size(); ++i)
        if (labels[i] != asciiLabels[i] && !ShowsAsItself(labels[i], topLevelScript))
            return host;
    return unicode;
}

} // namespace pages
