#include "image/StrokeBackup.h"

#include "image/PixelBox.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace kalvo {

namespace {

std::size_t RowBytes(int width, int bitCount)
{
    return (std::size_t(width) * std::size_t(bitCount) + 7) / 8;
}

} // namespace

void TStrokeBackup::Begin(const TBitmap& picture)
{
    Clear();
    FWidth = picture.width();
    FHeight = picture.height();
    FBits = picture.bitCount();
    FColumns = (FWidth + kTile - 1) / kTile;
    FRows = (FHeight + kTile - 1) / kTile;
    try {
        FTiles.resize(std::size_t(FColumns) * std::size_t(FRows));
    } catch (const std::bad_alloc&) {
        FOutOfMemory = true;
    }
}

void TStrokeBackup::Clear()
{
    FTiles = {};
    FKept = 0;
    FOutOfMemory = false;
    FWidth = FHeight = FBits = FColumns = FRows = 0;
}

std::size_t TStrokeBackup::Memory() const
{
    std::size_t bytes = 0;
    for (const auto& tile : FTiles)
        bytes += tile.size();
    return bytes;
}

std::size_t TStrokeBackup::TileByteLeft(int tx) const
{
    return std::size_t(tx) * kTile * std::size_t(FBits) / 8;
}

std::size_t TStrokeBackup::TileByteRight(int tx) const
{
    return std::min(RowBytes(FWidth, FBits), TileByteLeft(tx + 1));
}

int TStrokeBackup::TileBottom(int ty) const
{
    return std::min(FHeight, (ty + 1) * kTile);
}

bool TStrokeBackup::Save(const TBitmap& picture, const TRect& area)
{
    if (FTiles.empty() || picture.width() != FWidth || picture.height() != FHeight || picture.bitCount() != FBits)
        return false;
    const TRect r = ByteAlignedBox(picture, area);
    if (r.isEmpty())
        return true;
    for (int ty = r.top / kTile; ty <= (r.bottom - 1) / kTile; ++ty)
        for (int tx = r.left / kTile; tx <= (r.right - 1) / kTile; ++tx) {
            auto& tile = FTiles[std::size_t(ty) * std::size_t(FColumns) + std::size_t(tx)];
            if (!tile.empty())
                continue;
            const std::size_t left = TileByteLeft(tx), bytes = TileByteRight(tx) - left;
            const int top = ty * kTile, rows = TileBottom(ty) - top;
            try {
                tile.resize(bytes * std::size_t(rows));
            } catch (const std::bad_alloc&) {
                FOutOfMemory = true;
                return false;
            }
            for (int y = 0; y < rows; ++y)
                std::memcpy(tile.data() + std::size_t(y) * bytes, picture.scanLine(top + y) + left, bytes);
            ++FKept;
        }
    return true;
}

TRect TStrokeBackup::ChangedBox(const TBitmap& picture) const
{
    std::size_t first = RowBytes(FWidth, FBits), last = 0;
    int top = FHeight, bottom = 0;
    for (int ty = 0; ty < FRows; ++ty)
        for (int tx = 0; tx < FColumns; ++tx) {
            const auto& tile = FTiles[std::size_t(ty) * std::size_t(FColumns) + std::size_t(tx)];
            if (tile.empty())
                continue;
            const std::size_t left = TileByteLeft(tx), bytes = TileByteRight(tx) - left;
            for (int y = ty * kTile; y < TileBottom(ty); ++y) {
                const std::uint8_t* was = tile.data() + std::size_t(y - ty * kTile) * bytes;
                const std::uint8_t* now = picture.scanLine(y) + left;
                if (std::memcmp(was, now, bytes) == 0)
                    continue;
                std::size_t i = 0, j = bytes - 1;
                while (was[i] == now[i])
                    ++i;
                while (was[j] == now[j])
                    --j;
                first = std::min(first, left + i);
                last = std::max(last, left + j);
                top = std::min(top, y);
                bottom = std::max(bottom, y + 1);
            }
        }
    if (top >= bottom)
        return {};
    const int left = int(first * 8 / std::size_t(FBits));
    const int right = std::min(FWidth, int(((last + 1) * 8 + std::size_t(FBits) - 1) / std::size_t(FBits)));
    return {left, top, right, bottom};
}

void TStrokeBackup::Restore(TBitmap& target, const TRect& box) const
{
    if (box.isEmpty() || FTiles.empty())
        return;
    const std::size_t boxLeft = std::size_t(box.left) * std::size_t(FBits) / 8;
    const std::size_t boxRight = boxLeft + RowBytes(box.width(), FBits);
    for (int ty = box.top / kTile; ty <= (box.bottom - 1) / kTile; ++ty)
        for (int tx = box.left / kTile; tx <= (box.right - 1) / kTile; ++tx) {
            const auto& tile = FTiles[std::size_t(ty) * std::size_t(FColumns) + std::size_t(tx)];
            if (tile.empty())
                continue;
            const std::size_t left = TileByteLeft(tx), bytes = TileByteRight(tx) - left;
            const std::size_t from = std::max(left, boxLeft), to = std::min(left + bytes, boxRight);
            const int y0 = std::max(box.top, ty * kTile), y1 = std::min(box.bottom, TileBottom(ty));
            for (int y = y0; y < y1; ++y)
                std::memcpy(target.scanLine(y - box.top) + (from - boxLeft),
                            tile.data() + std::size_t(y - ty * kTile) * bytes + (from - left), to - from);
        }
}

TBitmap TStrokeBackup::OldBox(const TBitmap& picture, const TRect& box) const
{
    // Every byte is written once (a box of a long stroke is tens of megabytes): the rows from the
    // picture with their padding cleared, then the kept tiles over them.
    TBitmap old = TBitmap::forOverwrite(box.width(), box.height(), picture.bitCount());
    old.setPalette(picture.palette());
    const std::size_t from = std::size_t(box.left) * std::size_t(FBits) / 8;
    const std::size_t bytes = RowBytes(box.width(), FBits);
    for (int y = 0; y < box.height(); ++y) {
        std::uint8_t* row = old.scanLine(y);
        std::memcpy(row, picture.scanLine(box.top + y) + from, bytes);
        std::memset(row + bytes, 0, old.stride() - bytes);
    }
    Restore(old, box);
    return old;
}

TBitmap TStrokeBackup::OldPicture(const TBitmap& picture) const
{
    TBitmap old = picture;
    Restore(old, {0, 0, FWidth, FHeight});
    return old;
}

} // namespace kalvo
