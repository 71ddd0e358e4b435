#pragma once
// Boxes of a picture's pixels, for undo steps that keep only the part of the picture they
// changed: the box where two pictures differ, and copying or exchanging a box's rows. A box is
// widened to whole bytes of its rows (at 1 and 4 bits a byte holds several pixels), so that its
// rows are plain byte ranges of the picture's rows.
#include "image/Bitmap.h"
#include "image/Geometry.h"

#include <QRect>
#include <QSize>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>

namespace kalvo {

// The smallest box of whole pixels holding every byte in which rows top..bottom of two pictures
// differ: was(y) and now(y) give row y of each from byte byteLeft of the picture's rows on,
// rowBytes long (bits per pixel, width pixels a row). Empty when they are equal. Rows are
// compared whole from the top and the bottom, the rows between only outside the byte range
// found so far.
template <class WasRow, class NowRow>
TRect DifferingBox(int top, int bottom, std::size_t rowBytes, std::size_t byteLeft, int bits, int width, WasRow was,
                   NowRow now)
{
    const auto differs = [&](int y) { return std::memcmp(was(y), now(y), rowBytes) != 0; };
    while (top < bottom && !differs(top))
        ++top;
    if (top == bottom)
        return {};
    while (!differs(bottom - 1))
        --bottom;
    std::size_t first = rowBytes, last = 0;
    for (int y = top; y < bottom; ++y) {
        const std::uint8_t* p = was(y);
        const std::uint8_t* q = now(y);
        if (first > 0 && std::memcmp(p, q, first) != 0)
            first = std::size_t(std::mismatch(p, p + first, q).first - p);
        if (last + 1 < rowBytes && std::memcmp(p + last + 1, q + last + 1, rowBytes - last - 1) != 0) {
            std::size_t i = rowBytes - 1;
            while (p[i] == q[i])
                --i;
            last = i;
        }
    }
    // Differing rows hold a differing byte: first <= last.
    const std::size_t b = std::size_t(bits);
    const int left = int((byteLeft + first) * 8 / b);
    const int right = std::min(width, int(((byteLeft + last + 1) * 8 + b - 1) / b));
    return {left, top, right, bottom};
}

// True when the two pictures have the same size, depth and palette.
bool SameLayout(const TBitmap& a, const TBitmap& b);
// The smallest rectangle holding every pixel in which a and b (of the same layout) differ; empty
// when they are equal.
TRect ChangedBox(const TBitmap& a, const TBitmap& b);
// ChangedBox as a QRect; absent when the layouts differ.
std::optional<QRect> ChangedArea(const TBitmap& a, const TBitmap& b);
// box clipped to the picture and widened to whole bytes of its rows.
TRect ByteAlignedBox(const TBitmap& picture, TRect box);
// The pixels of a byte-aligned, non-empty box as a bitmap of the box's size at the picture's
// depth, with its palette.
TBitmap CopyBox(const TBitmap& picture, const TRect& box);
// Exchanges the rows of a box bitmap (as CopyBox makes it) with the same box of the picture.
void ExchangeBox(TBitmap& picture, TBitmap& box, const TRect& at) noexcept;
// Exchanges disjoint byte-aligned pieces of the picture with their pixels stacked in one bitmap:
// each piece's rows one below the other's, starting at the left edge (StackSize gives the
// bitmap's size).
void ExchangePieces(TBitmap& picture, TBitmap& stack, std::span<const TRect> pieces) noexcept;
// The pixels of disjoint byte-aligned pieces of the picture stacked as ExchangePieces takes them.
TBitmap CopyPieces(const TBitmap& picture, std::span<const TRect> pieces);
// The width (the widest piece) and height (all pieces' rows) of the stack of pieces.
QSize StackSize(std::span<const TRect> pieces);

} // namespace kalvo
