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

TStrokeBackup::TChange TStrokeBackup::Change(const TBitmap& picture) const
{
    TChange change;
    std::vector<const std::uint8_t*> sources; // each piece's first row in its tile
    std::vector<std::size_t> tileBytes;
    for (int ty = 0; ty < FRows; ++ty)
        for (int tx = 0; tx < FColumns; ++tx) {
            const auto& tile = FTiles[std::size_t(ty) * std::size_t(FColumns) + std::size_t(tx)];
            if (tile.empty())
                continue;
            const std::size_t left = TileByteLeft(tx), bytes = TileByteRight(tx) - left;
            const auto was = [&](int y) { return tile.data() + std::size_t(y - ty * kTile) * bytes; };
            const auto now = [&](int y) { return picture.scanLine(y) + left; };
            // Whole pixels, and whole bytes below 8 bits (a tile's edges fall on byte boundaries).
            const TRect piece = DifferingBox(ty * kTile, TileBottom(ty), bytes, left, FBits, FWidth, was, now);
            if (piece.isEmpty())
                continue;
            const int top = piece.top, bottom = piece.bottom;
            change.Pieces.push_back(piece);
            sources.push_back(tile.data() + std::size_t(top - ty * kTile) * bytes
                              + std::size_t(piece.left) * std::size_t(FBits) / 8 - left);
            tileBytes.push_back(bytes);
            change.Box = change.Box.isEmpty()
                ? piece
                : TRect{std::min(change.Box.left, piece.left), std::min(change.Box.top, top),
                        std::max(change.Box.right, piece.right), std::max(change.Box.bottom, bottom)};
        }
    if (change.Pieces.empty())
        return change;
    const QSize size = StackSize(change.Pieces);
    if (!TBitmap::fitsBounds(size.width(), size.height(), FBits))
        return change;
    change.Old = TBitmap::forOverwrite(size.width(), size.height(), FBits);
    change.Old.setPalette(picture.palette());
    int row = 0;
    for (std::size_t n = 0; n < change.Pieces.size(); ++n) {
        const TRect& piece = change.Pieces[n];
        const std::size_t bytes = RowBytes(piece.width(), FBits);
        for (int y = 0; y < piece.height(); ++y, ++row) {
            std::uint8_t* out = change.Old.scanLine(row);
            std::memcpy(out, sources[n] + std::size_t(y) * tileBytes[n], bytes);
            std::memset(out + bytes, 0, change.Old.stride() - bytes);
        }
    }
    return change;
}

TBitmap TStrokeBackup::OldPicture(const TBitmap& picture) const
{
    TBitmap old = picture;
    for (int ty = 0; ty < FRows; ++ty)
        for (int tx = 0; tx < FColumns; ++tx) {
            const auto& tile = FTiles[std::size_t(ty) * std::size_t(FColumns) + std::size_t(tx)];
            if (tile.empty())
                continue;
            const std::size_t left = TileByteLeft(tx), bytes = TileByteRight(tx) - left;
            for (int y = ty * kTile; y < TileBottom(ty); ++y)
                std::memcpy(old.scanLine(y) + left, tile.data() + std::size_t(y - ty * kTile) * bytes, bytes);
        }
    return old;
}

} // namespace kalvo
