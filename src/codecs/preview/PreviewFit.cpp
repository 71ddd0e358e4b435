#include "codecs/preview/PreviewFit.h"

#include <algorithm>
#include <cstdint>

namespace kalvo {

namespace {

// a * b / c rounded to the nearest integer, without overflow.
int mulDivRounded(int a, int b, int c)
{
    return int((std::int64_t(a) * b + c / 2) / c);
}

} // namespace

TPreviewSize FitPreviewSize(int width, int height, int boxWidth, int boxHeight)
{
    if (width <= 0 || height <= 0 || boxWidth <= 0 || boxHeight <= 0)
        return {};
    if (width <= boxWidth && height <= boxHeight)
        return {width, height};
    // boxWidth / width <= boxHeight / height, compared without division.
    if (std::int64_t(boxWidth) * height <= std::int64_t(boxHeight) * width)
        return {boxWidth, std::max(1, mulDivRounded(height, boxWidth, width))};
    return {std::max(1, mulDivRounded(width, boxHeight, height)), boxHeight};
}

} // namespace kalvo
