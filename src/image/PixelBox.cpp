#include "image/PixelBox.h"

#include <algorithm>
#include <cstring>

namespace kalvo {

namespace {

std::size_t RowBytes(int width, int bitCount)
{
    return (std::size_t(width) * std::size_t(bitCount) + 7) / 8;
}

// The first byte of a byte-aligned box's row.
std::size_t ByteLeft(const TRect& box, int bitCount)
{
    return std::size_t(box.left) * std::size_t(bitCount) / 8;
}

} // namespace

bool SameLayout(const TBitmap& a, const TBitmap& b)
{
    return a.width() == b.width() && a.height() == b.height() && a.bitCount() == b.bitCount()
        && a.palette() == b.palette();
}

TRect ChangedBox(const TBitmap& a, const TBitmap& b)
{
    return DifferingBox(
        0, a.height(), RowBytes(a.width(), a.bitCount()), 0, a.bitCount(), a.width(),
        [&](int y) { return a.scanLine(y); }, [&](int y) { return b.scanLine(y); });
}

std::optional<QRect> ChangedArea(const TBitmap& a, const TBitmap& b)
{
    if (!SameLayout(a, b))
        return std::nullopt;
    const TRect box = ChangedBox(a, b);
    return QRect(box.left, box.top, box.width(), box.height());
}

TRect ByteAlignedBox(const TBitmap& picture, TRect box)
{
    box = box.normalized();
    box.left = std::clamp(box.left, 0, picture.width());
    box.right = std::clamp(box.right, 0, picture.width());
    box.top = std::clamp(box.top, 0, picture.height());
    box.bottom = std::clamp(box.bottom, 0, picture.height());
    if (box.isEmpty())
        return {};
    const int perByte = picture.bitCount() < 8 ? 8 / picture.bitCount() : 1;
    box.left -= box.left % perByte;
    box.right = std::min(picture.width(), (box.right + perByte - 1) / perByte * perByte);
    return box;
}

TBitmap CopyBox(const TBitmap& picture, const TRect& box)
{
    TBitmap out(box.width(), box.height(), picture.bitCount());
    out.setPalette(picture.palette());
    const std::size_t from = ByteLeft(box, picture.bitCount());
    const std::size_t bytes = RowBytes(box.width(), picture.bitCount());
    for (int y = 0; y < box.height(); ++y)
        std::memcpy(out.scanLine(y), picture.scanLine(box.top + y) + from, bytes);
    return out;
}

void ExchangeBox(TBitmap& picture, TBitmap& box, const TRect& at) noexcept
{
    const std::size_t from = ByteLeft(at, picture.bitCount());
    const std::size_t bytes = RowBytes(at.width(), picture.bitCount());
    for (int y = 0; y < at.height(); ++y) {
        std::uint8_t* p = picture.scanLine(at.top + y) + from;
        std::swap_ranges(p, p + bytes, box.scanLine(y));
    }
}

void ExchangePieces(TBitmap& picture, TBitmap& stack, std::span<const TRect> pieces) noexcept
{
    int row = 0;
    for (const TRect& piece : pieces) {
        const std::size_t from = ByteLeft(piece, picture.bitCount());
        const std::size_t bytes = RowBytes(piece.width(), picture.bitCount());
        for (int y = piece.top; y < piece.bottom; ++y, ++row) {
            std::uint8_t* p = picture.scanLine(y) + from;
            std::swap_ranges(p, p + bytes, stack.scanLine(row));
        }
    }
}

TBitmap CopyPieces(const TBitmap& picture, std::span<const TRect> pieces)
{
    const QSize size = StackSize(pieces);
    TBitmap stack(size.width(), size.height(), picture.bitCount());
    stack.setPalette(picture.palette());
    int row = 0;
    for (const TRect& piece : pieces) {
        const std::size_t from = ByteLeft(piece, picture.bitCount());
        const std::size_t bytes = RowBytes(piece.width(), picture.bitCount());
        for (int y = piece.top; y < piece.bottom; ++y, ++row)
            std::memcpy(stack.scanLine(row), picture.scanLine(y) + from, bytes);
    }
    return stack;
}

QSize StackSize(std::span<const TRect> pieces)
{
    int width = 0, height = 0;
    for (const TRect& piece : pieces) {
        width = std::max(width, piece.width());
        height += piece.height();
    }
    return {width, height};
}

} // namespace kalvo
