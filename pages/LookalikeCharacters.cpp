#include "LookalikeCharacters.h"

#include <algorithm>
#include <array>
#include <utility>

namespace pages {
namespace {

using Range = std::pair<gunichar, gunichar>;

// Seen as nothing, or as a blank, although they are letters, marks or
// symbols; and characters Unicode deprecates. (Format characters, spaces and
// controls are not graphic, which HidesMeaning tells on its own.)
constexpr auto kInvisibleOrDeprecated = std::to_array<Range>({
    {0x0149, 0x0149},   // deprecated n with apostrophe
    {0x034F, 0x034F},   // combining grapheme joiner
    {0x0673, 0x0673},   // deprecated Arabic alef with wavy hamza below
    {0x0F77, 0x0F77},   // deprecated Tibetan vowel signs
    {0x0F79, 0x0F79},
    {0x115F, 0x1160},   // Hangul choseong and jungseong fillers
    {0x17A3, 0x17A4},   // deprecated Khmer independent vowels
    {0x17B4, 0x17B5},   // Khmer inherent vowels, not shown
    {0x180B, 0x180F},   // Mongolian free variation selectors and vowel separator
    {0x2028, 0x2029},   // line and paragraph separators
    {0x2060, 0x206F},   // word joiner, invisible operators, deprecated format controls
    {0x2329, 0x232A},   // deprecated angle brackets
    {0x2800, 0x2800},   // braille pattern blank
    {0x3164, 0x3164},   // Hangul filler
    {0xFE00, 0xFE0F},   // variation selectors
    {0xFFA0, 0xFFA0},   // halfwidth Hangul filler
    {0xFFF9, 0xFFFD},   // annotation marks, object and replacement characters
    {0x16FE4, 0x16FE4}, // Khitan small script filler
    {0x1D173, 0x1D17A}, // musical format controls
    {0x1BCA0, 0x1BCA3}, // shorthand format controls
    {0xE0000, 0xE007F}, // tags
    {0xE0100, 0xE01EF}, // variation selectors supplement
});

// Direction marks and embeddings that are graphic to GLib's eye or must be
// named anyway: the Arabic letter mark, the marks, embeddings and isolates.
constexpr auto kDirection = std::to_array<Range>({
    {0x061C, 0x061C},
    {0x200B, 0x200F},
    {0x202A, 0x202E},
    {0x2066, 0x2069},
    {0xFEFF, 0xFEFF},
});

// Lower-case Cyrillic, Greek and Armenian letters a reader takes for Latin
// ones (the Latin letter they pass for in the comment).
constexpr auto kLatinLookalikes = std::to_array<gunichar>({
    0x0430, // а a
    0x0433, // г r
    0x0435, // е e
    0x043E, // о o
    0x043F, // п n
    0x0440, // р p
    0x0441, // с c
    0x0443, // у y
    0x0445, // х x
    0x044A, // ъ b
    0x044C, // ь b
    0x0451, // ё ë
    0x0455, // ѕ s
    0x0456, // і i
    0x0457, // ї ï
    0x0458, // ј j
    0x0461, // ѡ w
    0x0475, // ѵ v
    0x04AF, // ү y
    0x04BB, // һ h
    0x04BD, // ҽ e
    0x04CF, // ӏ l
    0x04E7, // ӧ ö
    0x0501, // ԁ d
    0x050D, // ԍ G
    0x051B, // ԛ q
    0x051D, // ԝ w
    0x03AC, // ά á
    0x03AF, // ί í
    0x03B1, // α a
    0x03B3, // γ y
    0x03B5, // ε e
    0x03B7, // η n
    0x03B9, // ι i
    0x03BA, // κ k
    0x03BD, // ν v
    0x03BF, // ο o
    0x03C1, // ρ p
    0x03C4, // τ t
    0x03C5, // υ u
    0x03C7, // χ x
    0x03C9, // ω w
    0x03CC, // ό ó
    0x03CD, // ύ ú
    0x03F2, // ϲ c
    0x03F3, // ϳ j
    0x0561, // ա w
    0x0563, // գ q
    0x0566, // զ q
    0x056C, // լ l
    0x0570, // հ h
    0x0575, // յ j
    0x0578, // ո n
    0x057C, // ռ n
    0x057D, // ս u
    0x0581, // ց g
    0x0585, // օ o
});

// Kana and Han characters drawn as a stroke or a ring.
constexpr auto kSeparatorLookalikes = std::to_array<gunichar>({
    0x3007, // 〇 o
    0x30BD, // ソ /
    0x30BE, // ゾ /
    0x30CE, // ノ /
    0x30F3, // ン /
    0x30FC, // ー -
    0x4E00, // 一 -
    0x4E28, // 丨 |
    0x4E36, // 丶 a dot
    0x4E3F, // 丿 /
    0x4E40, // 乀 a slant
    0x4E41, // 乁 a slant
    0x4E5B, // 乛 -
});

// The scripts of identifiers in common use (Unicode's recommended scripts).
constexpr auto kRecommendedScripts = std::to_array<GUnicodeScript>({
    G_UNICODE_SCRIPT_ARABIC,   G_UNICODE_SCRIPT_ARMENIAN, G_UNICODE_SCRIPT_BENGALI,   G_UNICODE_SCRIPT_BOPOMOFO,
    G_UNICODE_SCRIPT_CYRILLIC, G_UNICODE_SCRIPT_DEVANAGARI, G_UNICODE_SCRIPT_ETHIOPIC, G_UNICODE_SCRIPT_GEORGIAN,
    G_UNICODE_SCRIPT_GREEK,    G_UNICODE_SCRIPT_GUJARATI, G_UNICODE_SCRIPT_GURMUKHI,  G_UNICODE_SCRIPT_HAN,
    G_UNICODE_SCRIPT_HANGUL,   G_UNICODE_SCRIPT_HEBREW,   G_UNICODE_SCRIPT_HIRAGANA,  G_UNICODE_SCRIPT_KANNADA,
    G_UNICODE_SCRIPT_KATAKANA, G_UNICODE_SCRIPT_KHMER,    G_UNICODE_SCRIPT_LAO,       G_UNICODE_SCRIPT_LATIN,
    G_UNICODE_SCRIPT_MALAYALAM, G_UNICODE_SCRIPT_MYANMAR, G_UNICODE_SCRIPT_ORIYA,     G_UNICODE_SCRIPT_SINHALA,
    G_UNICODE_SCRIPT_TAMIL,    G_UNICODE_SCRIPT_TELUGU,   G_UNICODE_SCRIPT_THAANA,    G_UNICODE_SCRIPT_THAI,
    G_UNICODE_SCRIPT_TIBETAN,
});

template <std::size_t N>
bool InRanges(const std::array<Range, N>& ranges, gunichar c)
{
    return std::any_of(ranges.begin(), ranges.end(), [c](const Range& r) { return c >= r.first && c <= r.second; });
}

template <typename T, std::size_t N>
bool Contains(const std::array<T, N>& items, T item)
{
    return std::find(items.begin(), items.end(), item) != items.end();
}

} // namespace

bool HidesMeaning(gunichar c)
{
    return !g_unichar_isgraph(c) || InRanges(kDirection, c) || InRanges(kInvisibleOrDeprecated, c);
}

bool LooksLikeLatin(gunichar c)
{
    return Contains(kLatinLookalikes, c);
}

bool LooksLikeSeparator(gunichar c)
{
    return Contains(kSeparatorLookalikes, c);
}

bool IsRecommendedScript(GUnicodeScript script)
{
    return Contains(kRecommendedScripts, script);
}

} // namespace pages
