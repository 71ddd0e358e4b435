#pragma once
// Colours: a 32-bit value with red in the low byte, then green, then blue; the high byte is 0.
#include <cstdint>

namespace kalvo {

using TColor = std::uint32_t;

constexpr TColor RGB(int r, int g, int b)
{
    return TColor(r & 0xFF) | (TColor(g & 0xFF) << 8) | (TColor(b & 0xFF) << 16);
}
constexpr int GetRValue(TColor c)
{
    return int(c & 0xFF);
}
constexpr int GetGValue(TColor c)
{
    return int((c >> 8) & 0xFF);
}
constexpr int GetBValue(TColor c)
{
    return int((c >> 16) & 0xFF);
}

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;

} // namespace kalvo
