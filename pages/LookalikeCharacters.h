#pragma once
// Characters that let shown text pose as other text: those that cannot be
// seen or change the direction of what follows, and letters of other scripts
// that look like Latin letters or like the separators of an address.
#include <glib.h>

namespace pages {

// Blanks, controls, format and direction characters, invisible letters and
// marks (fillers, braille blank, variation selectors) and deprecated ones.
bool HidesMeaning(gunichar c);

// A Cyrillic, Greek or Armenian letter that looks like a Latin letter: a
// name made of such letters alone reads as a Latin name.
bool LooksLikeLatin(gunichar c);

// A Han or Kana character that looks like "/", "-" or "o".
bool LooksLikeSeparator(gunichar c);

// A script of the identifiers in common use today (letters of historic,
// liturgical or little-used scripts are shown as punycode).
bool IsRecommendedScript(GUnicodeScript script);

} // namespace pages
