#pragma once
// The document being edited: the picture and its selection — the region, the feathering mask
// (8 bits, 0 selected … 255 not; absent for a hard-edged selection) and the outline traced from
// them — with the selection algebra and the mask operations. No widget: the canvas holds one,
// shows it, and is told through OnPictureReplaced and OnSelectionReplaced when to lay out or
// redraw.
#include "image/Bitmap.h"
#include "image/Geometry.h"
#include "image/Palette.h"
#include "image/Region.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace kalvo {

// Fills a region of an 8-bit mask with one value, clipped to the mask.
void FillMaskRegion(TBitmap& mask, const TRegion& region, std::uint8_t value);

// A selection as region and mask.
struct TSelection {
    TRegionRef region;
    std::optional<TBitmap> mask;
};

class TDocument {
public:
    // After the picture was replaced, and after the selection (region, mask, outline) was.
    std::function<void()> OnPictureReplaced;
    std::function<void()> OnSelectionReplaced;

    // --- The picture ----------------------------------------------------------------------------
    const TBitmap& Bitmap() const { return FBitmap; }
    // The pixels for changes in place; whoever changes them tells the view.
    TBitmap& Pixels() { return FBitmap; }
    bool HasImage() const { return !FBitmap.empty(); }
    int BitCount() const { return FBitmap.empty() ? 0 : FBitmap.bitCount(); }
    TRect ImageRect() const { return {0, 0, FBitmap.width(), FBitmap.height()}; }
    // Takes the picture over (32 bits are held as 24) and hands back the one it replaces. Should
    // the conversion or copy fail (std::bad_alloc), the document keeps its picture.
    TBitmap ExchangeBitmap(TBitmap&& bitmap);
    // The same with a private copy.
    void SetBitmap(const TBitmap& bitmap);
    // The palette at 1..8 bits per pixel, else an empty list.
    std::vector<TColor> ImagePalette() const;
    // Replaces the first count palette entries of a palette image; false (nothing changed) for
    // a picture without a palette.
    bool SetPaletteEntries(std::span<const TRGBQuad> entries, int count);

    // --- The selection --------------------------------------------------------------------------
    const TRegionRef& Region() const { return FRegion; }
    const std::optional<TBitmap>& SelectionMask() const { return FSelectionMask; }
    int RegionComplexity() const { return FRegionComplexity; }
    // The outline in image coordinates (Outline.h).
    const TPoints& Outline() const { return FOutline; }
    // Makes region and mask the selection. The outline is traced first: should that fail, the
    // old selection stays. An empty outline or region removes the selection.
    void InstallSelection(TRegionRef region, std::optional<TBitmap> mask);
    // Removes region and mask.
    void RemoveSelection();
    // value clipped to the picture.
    TRegionRef ClippedToImage(const TRegionRef& value) const;
    // The inverted selection: a mask value by value (unless ignoreMask), else the region against
    // the picture (no selection selects everything).
    TSelection Inverted(bool ignoreMask) const;
    // A gesture's shape combined with the selection (RGN_COPY, RGN_OR, RGN_DIFF); the mask, when
    // there is one, is marked for an added or subtracted shape. CombineChanges is false when
    // nothing would change: adding or subtracting an empty shape, or replacing no selection by
    // nothing.
    bool CombineChanges(const TRegion& created, int combineMode) const;
    TSelection Combined(const TRegionRef& created, int combineMode) const;
    // Shifts region and mask (the mask's uncovered part becomes unselected).
    void MoveSelection(int dx, int dy);
    // The selection shifted by (dx, dy), keeping only what lies on the picture (the region of a
    // shifted mask is made from the mask). EPxImageError when that region cannot be made.
    TSelection Moved(int dx, int dy) const;
    // Traces the outline again from the mask or the region; an empty outline removes the region.
    void RebuildOutline();

    // --- The mask -------------------------------------------------------------------------------
    // The mask from the region: 0 inside, 255 outside, all 0 without a region.
    TBitmap CreateSelectionMask() const;
    // Creates the mask from the region when there is none (and there is a picture).
    void EnsureSelectionMask();
    void DropSelectionMask() { FSelectionMask.reset(); }
    void SetSelectionMask(std::optional<TBitmap> mask) { FSelectionMask = std::move(mask); }
    // True without a mask or when every value is 0 or 255.
    bool IsMaskHard() const;
    // Fill the region with 0 (selected) / 255 (not selected) in the mask, when there is one.
    void MarkMaskSelected(const TRegion& region);
    void MarkMaskUnselected(const TRegion& region);
    // Draws the picture at (0, 0) over an all-255 mask (absent: no mask) and keeps it unless it
    // holds only 0 and 255; the outline is traced again.
    void SetMaskFromPicture(const std::optional<TBitmap>& picture);

private:
    void pictureReplaced();
    void selectionReplaced();

    TBitmap FBitmap;
    TRegionRef FRegion;
    std::optional<TBitmap> FSelectionMask;
    int FRegionComplexity = 0;
    TPoints FOutline;
};

} // namespace kalvo
