#pragma once
// Boxes of a picture's pixels, for undo steps that keep only the part of the picture they
// changed: the box where two pictures differ, and copying or exchanging a box's rows. A box is
// widened to whole bytes of its rows (at 1 and 4 bits a byte holds several pixels), so that its
// rows are plain byte ranges of the picture's rows.
#include "image/Bitmap.h"
#include "image/Geometry.h"

#include <QRect>
#include <QSize>

#include <optional>
#include <span>

namespace kalvo {

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
// The width (the widest piece) and height (all pieces' rows) of the stack of pieces.
QSize StackSize(std::span<const TRect> pieces);

} // namespace kalvo
