#pragma once
// Text conversions a registry export file needs: UTF-16LE (version 5 files) and
// Windows-1252 (REGEDIT4 files) to and from the store's UTF-8.
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// UTF-16LE bytes to UTF-8; nothing when the length is odd or a surrogate is unpaired.
std::optional<std::string> Utf16LeToUtf8(std::string_view bytes);
// UTF-8 to UTF-16LE bytes; invalid UTF-8 bytes become U+FFFD.
std::string Utf8ToUtf16Le(std::string_view text);
// Whether text is well-formed UTF-8 (no overlong forms, no surrogates).
bool IsValidUtf8(std::string_view text);
// How many UTF-16 units valid UTF-8 text takes (characters past U+FFFF take two).
std::size_t Utf16Length(std::string_view text);
// Windows-1252 bytes to UTF-8 (its five unassigned bytes map to C1 controls).
std::string Windows1252ToUtf8(std::string_view bytes);

} // namespace platform
