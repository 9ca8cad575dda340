#pragma once
// Conversions between UTF-8 text and code points, and the case folding used to
// compare URLs without regard to letter case.
#include <string>

namespace pages {

// Strict: invalid bytes (also overlong forms, surrogates and values above
// U+10FFFF) become U+FFFD, one per byte.
std::u32string DecodeUtf8(const std::string& text);
std::string EncodeUtf8(const std::u32string& text);

// Lower-cases each code point on its own, so the folded text has as many code
// points as the text it was given; returned as UTF-8.
std::string FoldCase(const std::u32string& text);
std::string FoldCase(const std::string& utf8Text);

// Number of code points in UTF-8 text.
int CodePointCount(const std::string& utf8Text);

} // namespace pages
