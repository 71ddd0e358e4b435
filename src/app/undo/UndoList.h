#pragma once
// The undo history's items and the operations on the list: append, read, delete, clear and move
// old items into temporary files.
#include "app/undo/TempFileStream.h"
#include "image/Bitmap.h"
#include "image/ByteBuffer.h"
#include "image/Geometry.h"
#include "image/Region.h"

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kalvo {

// One stream of an item: its content in memory until swapped out, then a temporary file. The
// content is bytes (the region's stream form) or pictures (the image and/or the mask), which
// are held as they are and go out as complete BMP files, the image first.
class TUndoStream {
public:
    explicit TUndoStream(TByteBuffer bytes) : FBytes(std::move(bytes)) { }
    TUndoStream(std::optional<TBitmap> image, std::optional<TBitmap> mask)
        : FImage(std::move(image)), FMask(std::move(mask)), FHasImage(FImage), FHasMask(FMask)
    {
    }
    bool SwappedOut() const { return bool(FFile); }
    // Moves the content into a new temporary file with the prefix "_KV"; false when it could
    // not be written (the content then stays in memory). EPxImageError when no temporary file
    // can be made.
    bool SwapOut();
    // Calls use with the stream's bytes: the memory itself, or a read-only mapping of the file.
    void Read(const std::function<void(std::span<const std::uint8_t>)>& use) const;
    // The pictures of a picture stream: copies of the held ones, or read back from the file.
    // Absent ones are reset.
    void ReadPictures(std::optional<TBitmap>& image, std::optional<TBitmap>& mask) const;
    // Takes the image over into a picture stream that holds none yet (cannot fail).
    void HoldImage(TBitmap&& image) noexcept
    {
        FImage = std::move(image);
        FHasImage = true;
    }
    bool HasImage() const { return FHasImage; }
    bool HasMask() const { return FHasMask; }
    // Replaces the image of a stream that holds no mask: rewritten into its file when swapped out
    // (held in memory instead, the file gone, should that fail), else held.
    void ReplaceImage(TBitmap&& image) noexcept;
    // The held image while it is in memory, else nullptr.
    TBitmap* HeldImage() { return FFile || !FImage ? nullptr : &*FImage; }
    // The bytes of content held in memory (none once swapped out).
    std::size_t HeldBytes() const;
    const std::string* FileName() const { return FFile ? &FFile->FileName() : nullptr; }

private:
    TByteBuffer FBytes;
    std::optional<TBitmap> FImage;
    std::optional<TBitmap> FMask;
    bool FHasImage = false;
    bool FHasMask = false;
    std::unique_ptr<TTempFileStream> FFile;
};

struct TUndoItem {
    std::string Description;
    bool Modified = false;
    bool HasImage = false;
    bool HasMask = false;
    bool HasRegion = false;
    std::unique_ptr<TUndoStream> ImageStream;  // the image and/or the mask
    std::unique_ptr<TUndoStream> RegionStream; // the region stream form
    bool SwappedOut = false;
    // A partial step holds, instead of a whole picture, the pixels of Box (BoxStream; none for an
    // empty box) of a picture of the recorded size and depth. Undo and redo of the step exchange
    // them with the picture's, so the item holds the pixels of before the step while the step is
    // done and those of after it while it is undone.
    // The pixels may instead be those of Pieces inside Box (disjoint), stacked as ExchangePieces
    // takes them.
    bool Partial = false;
    TRect Box;
    std::vector<TRect> Pieces;
    int PictureWidth = 0;
    int PictureHeight = 0;
    int PictureBits = 0;
    std::unique_ptr<TUndoStream> BoxStream;
    // The whole picture a redo into this item restores when it holds none of its own (a
    // selection step, a partial step): kept when the step before it, which restores whole
    // pictures, is undone.
    std::unique_ptr<TUndoStream> RedoStream;
};

using TUndoList = std::vector<std::unique_ptr<TUndoItem>>;

// The parts GetUndoItem read.
struct TUndoParts {
    bool Image = false;
    bool Region = false;
    bool Mask = false;
    bool empty() const { return !Image && !Region && !Mask; }
};

// Appends an item with copies of image and mask; false when it could not be made (memory
// exhausted), the list unchanged.
bool AddUndoItem(TUndoList& list, const std::string& description, const TBitmap* image, const TBitmap* mask,
                 const TRegionRef* region, bool withRegion, bool modified);
// As above, taking the image over instead of copying it. It is moved from only when the item
// is appended; on failure it stays as it was.
bool AddUndoItemTaking(TUndoList& list, const std::string& description, TBitmap& image, const TBitmap* mask,
                       const TRegionRef* region, bool withRegion, bool modified);
// Appends a partial item: the pixels of box (clipped to picture, widened to whole bytes) copied
// from picture, the picture's size and depth, and copies of mask and region; false when memory
// is exhausted, the list unchanged; with pieces (inside the box) only theirs, stacked (see
// ExchangePieces). With boxPixels the item takes those over instead of copying the picture's: the
// pixels of the byte-aligned box, or of the pieces. They are moved from only when the item is
// appended.
bool AddPartialUndoItem(TUndoList& list, const std::string& description, const TBitmap& picture, TRect box,
                        const TBitmap* mask, const TRegionRef* region, bool withRegion, bool modified,
                        TBitmap* boxPixels = nullptr, std::span<const TRect> pieces = {});
// Reads item index into image (unless readImage is false), mask and region; the empty set for an
// index beyond the list. The mask becomes absent when the item has none; the region absent when
// the item covers the selection but there was none.
TUndoParts GetUndoItem(const TUndoList& list, int index, TBitmap& image, std::optional<TBitmap>& mask,
                       TRegionRef& region, bool& modified, bool readImage = true);
// True for a partial item (false beyond the list).
bool IsPartialUndoItem(const TUndoList& list, int index);
// Exchanges the box of partial item index with the same box of picture. False, changing nothing,
// when picture's size or depth is not the recorded one. A swapped-out box is read back first
// (EPxImageError for a file that does not hold it) and the box exchanged is written back into
// the same file.
bool ExchangeUndoBox(TUndoList& list, int index, TBitmap& picture);
// True when item index holds a whole picture, its own or one kept for redo (false beyond the list).
bool HoldsWholePicture(const TUndoList& list, int index);
// Keeps the picture exchange hands back as the redo picture of item index; exchange runs only
// once the picture can be kept.
void KeepRedoPicture(TUndoList& list, int index, const std::function<TBitmap()>& exchange);
// Moves the redo picture of item index into picture; false when it has none.
bool TakeRedoPicture(TUndoList& list, int index, TBitmap& picture);
// The bytes of pixels and streams an item holds in memory.
std::size_t UndoItemMemory(const TUndoItem& item);
// Frees items from..to (clamped to the list), last first.
void DeleteUndoItems(TUndoList& list, int from, int to);
void ClearUndoItems(TUndoList& list);
// Moves an item's streams into temporary files; false when it already was. EPxImageError
// "BmpStream SwapOut ERROR." or "RgnStream SwapOut ERROR." when a copy fails.
bool SwapOutUndoItem(TUndoList& list, int index);
// Swaps out all but the keep newest items; returns how many were newly swapped out.
int SwapOutUndoItems(TUndoList& list, int keep);

} // namespace kalvo
