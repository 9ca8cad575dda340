#include "Utf8Strict.h"

#include <utility>

namespace platform {

char32_t DecodeUtf8CodePoint(const unsigned char*& p, const unsigned char* end)
{
    const unsigned char lead = *p;
    if (lead < 0x80) {
        ++p;
        return lead;
    }
    // Lead bytes and the smallest value each length may carry (no overlongs).
    int length;
    char32_t value, least;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2; value = lead & 0x1F; least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3; value = lead & 0x0F; least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4; value = lead & 0x07; least = 0x10000;
    } else {
        ++p;
        return kReplacementCharacter;
    }
    if (end - p < length) {
        ++p;
        return kReplacementCharacter;
    }
    for (int i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80) {
            ++p;
            return kReplacementCharacter;
        }
        value = (value << 6) | (p[i] & 0x3F);
    }
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        ++p;
        return kReplacementCharacter;
    }
    p += length;
    return value;
}

namespace {

// An invalid sequence decodes to U+FFFD over one byte; a real U+FFFD takes three.
bool DecodesInvalid(const unsigned char*& p, const unsigned char* end)
{
    const unsigned char* at = p;
    return DecodeUtf8CodePoint(p, end) == kReplacementCharacter && p - at == 1;
}

bool IsValidUtf8(std::string_view text)
{
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p < end) {
        if (*p < 0x80)
            ++p; // ASCII, most of any URL
        else if (DecodesInvalid(p, end))
            return false;
    }
    return true;
}

std::string WithReplacements(std::string_view text)
{
    const auto* begin = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = begin + text.size();
    std::string out;
    out.reserve(text.size() + 8);
    for (const unsigned char* p = begin; p < end;) {
        const unsigned char* at = p;
        if (DecodesInvalid(p, end))
            out += "\xEF\xBF\xBD";
        else
            out.append(reinterpret_cast<const char*>(at), static_cast<std::size_t>(p - at));
    }
    return out;
}

} // namespace

std::string ValidUtf8(std::string_view text)
{
    return IsValidUtf8(text) ? std::string(text) : WithReplacements(text);
}

std::string ToValidUtf8(std::string text)
{
    return IsValidUtf8(text) ? std::move(text) : WithReplacements(text);
}

} // namespace platform
