#pragma once
// The program's colour values: a signed 32-bit number, $00BBGGRR for a plain
// colour (red in the low byte); a negative value names a system colour and
// clNone ($1FFFFFFF) means no colour.
#include <cstdint>

using TColor = std::int32_t;

inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clWhite = 0xFFFFFF;

constexpr int RedOf(TColor c) { return c & 0xFF; }
constexpr int GreenOf(TColor c) { return (c >> 8) & 0xFF; }
constexpr int BlueOf(TColor c) { return (c >> 16) & 0xFF; }
constexpr TColor RGBColour(int red, int green, int blue)
{
    return static_cast<TColor>(red | (green << 8) | (blue << 16));
}
