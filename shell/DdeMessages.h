#pragma once
// Window messages of the in-process DDE layer and the helpers that pack two
// 16-bit words into one parameter.
#include <cstdint>

namespace platform {

// A window of the in-process message layer (0 names none).
using DdeWindow = std::uintptr_t;

inline constexpr std::uint32_t WM_CLOSE = 0x0010;
inline constexpr std::uint32_t WM_DDE_INITIATE = 0x03E0;
inline constexpr std::uint32_t WM_DDE_TERMINATE = 0x03E1;
inline constexpr std::uint32_t WM_DDE_ACK = 0x03E4;
inline constexpr std::uint32_t WM_DDE_EXECUTE = 0x03E8;

inline constexpr std::intptr_t MakeLParam(std::uint16_t low, std::uint16_t high)
{
    return static_cast<std::intptr_t>(static_cast<std::uint32_t>(low) | (static_cast<std::uint32_t>(high) << 16));
}
inline constexpr std::uint16_t LowWord(std::intptr_t value)
{
    return static_cast<std::uint16_t>(static_cast<std::uintptr_t>(value) & 0xFFFF);
}
inline constexpr std::uint16_t HighWord(std::intptr_t value)
{
    return static_cast<std::uint16_t>((static_cast<std::uintptr_t>(value) >> 16) & 0xFFFF);
}

} // namespace platform
