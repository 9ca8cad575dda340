#pragma once
// A 128-bit interface or class identifier, written as in the registry
// ("8856F961-340A-11D0-A96B-00C04FD705A2").
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

struct Guid {
    std::uint32_t Data1 = 0;
    std::uint16_t Data2 = 0;
    std::uint16_t Data3 = 0;
    std::array<std::uint8_t, 8> Data4{};

    friend constexpr bool operator==(const Guid&, const Guid&) = default;

    // Parses "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX" (braces allowed); nullopt when malformed.
    static std::optional<Guid> Parse(std::string_view text);
    // Upper-case text without braces.
    std::string ToString() const;
};

// For identifiers written in the code: a malformed text stops compilation.
consteval Guid operator""_guid(const char* text, std::size_t length)
{
    auto hex = [](char c) -> std::uint32_t {
        if (c >= '0' && c <= '9') return static_cast<std::uint32_t>(c - '0');
        if (c >= 'A' && c <= 'F') return static_cast<std::uint32_t>(c - 'A' + 10);
        if (c >= 'a' && c <= 'f') return static_cast<std::uint32_t>(c - 'a' + 10);
        throw "not a hexadecimal digit";
    };
    if (length != 36 || text[8] != '-' || text[13] != '-' || text[18] != '-' || text[23] != '-')
        throw "malformed identifier";
    auto field = [&](std::size_t from, std::size_t digits) {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < digits; ++i)
            value = value * 16 + hex(text[from + i]);
        return value;
    };
    Guid g;
    g.Data1 = field(0, 8);
    g.Data2 = static_cast<std::uint16_t>(field(9, 4));
    g.Data3 = static_cast<std::uint16_t>(field(14, 4));
    g.Data4[0] = static_cast<std::uint8_t>(field(19, 2));
    g.Data4[1] = static_cast<std::uint8_t>(field(21, 2));
    for (std::size_t i = 0; i < 6; ++i)
        g.Data4[2 + i] = static_cast<std::uint8_t>(field(24 + 2 * i, 2));
    return g;
}

inline constexpr Guid GUID_NULL{};

} // namespace platform
