#pragma once
// The undo history's items and the operations on the list: append, read, delete, clear and move
// old items into temporary files.
#include "app/undo/TempFileStream.h"
#include "image/Bitmap.h"
#include "image/ByteBuffer.h"
#include "image/Region.h"

#include <functional>
#include <memory>
#include <span>
#include <optional>
#include <string>
#include <vector>

namespace kalvo {

// One stream of an item: bytes in memory until swapped out, then a temporary file.
class TUndoStream {
public:
    explicit TUndoStream(TByteBuffer bytes) : FBytes(std::move(bytes)) {}
    bool SwappedOut() const { return bool(FFile); }
    // Moves the bytes into a new temporary file with the prefix "_KV"; false when the copy fails
    // (the bytes then stay in memory). EPxImageError when no temporary file can be made.
    bool SwapOut();
    // Calls use with the stream's bytes: the memory itself, or a read-only mapping of the file.
    void Read(const std::function<void(std::span<const std::uint8_t>)>& use) const;
    const std::string* FileName() const { return FFile ? &FFile->FileName() : nullptr; }

private:
    TByteBuffer FBytes;
    std::unique_ptr<TTempFileStream> FFile;
};

struct TUndoItem {
    std::string Description;
    bool Modified = false;
    bool HasImage = false;
    bool HasMask = false;
    bool HasRegion = false;
    std::unique_ptr<TUndoStream> ImageStream;  // image and/or mask, each a complete BMP file
    std::unique_ptr<TUndoStream> RegionStream; // the region stream form
    bool SwappedOut = false;
};

using TUndoList = std::vector<std::unique_ptr<TUndoItem>>;

// The parts GetUndoItem read.
struct TUndoParts {
    bool Image = false;
    bool Region = false;
    bool Mask = false;
    bool empty() const { return !Image && !Region && !Mask; }
};

// Appends an item; false when it could not be made (memory exhausted), the list unchanged.
bool AddUndoItem(TUndoList& list, const std::string& description, const TBitmap* image,
                 const TBitmap* mask, const TRegionRef* region, bool withRegion, bool modified);
// Reads item index into image, mask and region; the empty set for an index beyond the list. The
// mask becomes absent when the item has none; the region absent when the item covers the
// selection but there was none.
TUndoParts GetUndoItem(const TUndoList& list, int index, TBitmap& image, std::optional<TBitmap>& mask,
                       TRegionRef& region, bool& modified);
// Frees items from..to (clamped to the list), last first.
void DeleteUndoItems(TUndoList& list, int from, int to);
void ClearUndoItems(TUndoList& list);
// Moves an item's streams into temporary files; false when it already was. EPxImageError
// "BmpStream SwapOut ERROR." or "RgnStream SwapOut ERROR." when a copy fails.
bool SwapOutUndoItem(TUndoList& list, int index);
// Swaps out all but the keep newest items; returns how many were newly swapped out.
int SwapOutUndoItems(TUndoList& list, int keep);

} // namespace kalvo
