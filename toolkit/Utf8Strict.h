#pragma once
// Strict UTF-8: overlong forms, surrogates (U+D800..U+DFFF), values above
// U+10FFFF and stray or missing continuation bytes are invalid. Text from the
// settings store or other processes goes through ValidUtf8 before any widget
// shows it; the bytes kept elsewhere stay as they were.
#include <string>
#include <string_view>

namespace platform {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// Decodes one code point at p (p < end) and moves p past it. An invalid
// sequence gives U+FFFD and moves p by one byte.
char32_t DecodeUtf8CodePoint(const unsigned char*& p, const unsigned char* end);

// text itself when it is valid UTF-8, else a copy with U+FFFD in place of each
// invalid byte.
std::string ValidUtf8(std::string_view text);

// As ValidUtf8, but a valid text is moved instead of copied.
std::string ToValidUtf8(std::string text);

} // namespace platform
