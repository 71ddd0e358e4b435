#pragma once
// The pixels a stroke painted over, for its undo step: a stroke that paints straight into the
// picture saves each area before painting it, and the backup keeps those parts of the picture
// as they were, in tiles copied the first time a saved area reaches them. Its memory follows the
// area the stroke covered, not the picture's size.
#include "image/Bitmap.h"
#include "image/Geometry.h"

#include <cstdint>
#include <span>
#include <vector>

namespace kalvo {

class TStrokeBackup {
public:
    // Tiles are kTile x kTile pixels (whole bytes at every depth).
    static constexpr int kTile = 128;

    // Starts an empty backup for a stroke on picture (forgets any earlier one); without memory for
    // its table of tiles every Save fails.
    void Begin(const TBitmap& picture);
    // Forgets everything kept.
    void Clear();
    // Keeps the pixels of area (clipped to the picture) not kept yet; to be called before any of
    // them is painted. False, keeping nothing more, when there is no memory for them.
    bool Save(const TBitmap& picture, const TRect& area);
    // True when nothing is kept.
    bool Empty() const { return FKept == 0; }
    // True when a Save since Begin found no memory.
    bool OutOfMemory() const { return FOutOfMemory; }
    // Bytes of pixels kept.
    std::size_t Memory() const;

    // What the stroke changed in picture (the one it painted, same layout): in every tile it
    // reached, the box of the pixels that differ from what they were, widened to whole bytes;
    // their pixels from before the stroke stacked as ExchangePieces takes them; the box around
    // them (empty when nothing changed). std::bad_alloc when there is no memory for the stack.
    // Pieces taller together than a bitmap may be are not stacked: Old stays empty (the caller
    // keeps the whole picture instead).
    struct TChange {
        std::vector<TRect> Pieces;
        TBitmap Old;
        TRect Box;
    };
    TChange Change(const TBitmap& picture) const;
    // The whole picture as it was before the stroke (std::bad_alloc when there is no memory).
    TBitmap OldPicture(const TBitmap& picture) const;

private:
    // The byte range of tile column tx in a row, and its rows.
    std::size_t TileByteLeft(int tx) const;
    std::size_t TileByteRight(int tx) const;
    int TileBottom(int ty) const;

    int FWidth = 0, FHeight = 0, FBits = 0;
    int FColumns = 0, FRows = 0;
    std::size_t FKept = 0;
    bool FOutOfMemory = false;
    std::vector<std::vector<std::uint8_t>> FTiles; // row by row; empty: not kept
};

} // namespace kalvo
