#include "image/AlphaOverWhite.h"

namespace kalvo {

void RgbaRowOverWhite(const std::uint8_t* rgba, int width, std::uint8_t* bgr)
{
    for (int x = 0; x < width; ++x, rgba += 4, bgr += 3) {
        const int a = rgba[3];
        bgr[0] = OverWhite(rgba[2], a);
        bgr[1] = OverWhite(rgba[1], a);
        bgr[2] = OverWhite(rgba[0], a);
    }
}

void BgraRowOverWhite(const std::uint8_t* bgra, int width, std::uint8_t* bgr)
{
    for (int x = 0; x < width; ++x, bgra += 4, bgr += 3) {
        const int a = bgra[3];
        bgr[0] = OverWhite(bgra[0], a);
        bgr[1] = OverWhite(bgra[1], a);
        bgr[2] = OverWhite(bgra[2], a);
    }
}

void SwapRedBlueRow(const std::uint8_t* rgb, int width, std::uint8_t* bgr)
{
    for (int x = 0; x < width; ++x, rgb += 3, bgr += 3) {
        bgr[0] = rgb[2];
        bgr[1] = rgb[1];
        bgr[2] = rgb[0];
    }
}

} // namespace kalvo
