#include "document/Document.h"

#include "image/ImageErrors.h"
#include "image/Outline.h"
#include "image/PaintBitmap.h"
#include "image/Palette.h"
#include "image/RegionConvert.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace kalvo {

namespace {

// The mask shifted by (dx, dy); what it leaves uncovered is unselected.
TBitmap shiftedMask(const TBitmap& mask, int dx, int dy)
{
    TBitmap moved(mask.width(), mask.height(), 8);
    moved.setPalette(mask.palette().empty() ? CreateGreyPalette() : mask.palette());
    std::memset(moved.bits(), 255, moved.byteSize());
    CopyBitmapClipped(moved, mask, dx, dy, std::nullopt);
    return moved;
}

} // namespace

// --- The picture --------------------------------------------------------------------------------

TBitmap TDocument::ExchangeBitmap(TBitmap&& bitmap)
{
    // A 32-bit image is converted first; should that fail (std::bad_alloc), nothing has changed.
    if (bitmap.bitCount() == 32)
        bitmap = bitmap.toTrueColor();
    TBitmap previous = std::exchange(FBitmap, std::move(bitmap));
    pictureReplaced();
    return previous;
}

void TDocument::SetBitmap(const TBitmap& bitmap)
{
    // The copy is made before anything changes: without memory for it the document keeps its image.
    ExchangeBitmap(bitmap.bitCount() == 32 ? bitmap.toTrueColor() : TBitmap(bitmap));
}

std::vector<TColor> TDocument::ImagePalette() const
{
    if (BitCount() >= 1 && BitCount() <= 8)
        return FBitmap.palette();
    return {};
}

bool TDocument::SetPaletteEntries(std::span<const TRGBQuad> entries, int count)
{
    if (BitCount() < 1 || BitCount() > 8)
        return false;
    const std::vector<TColor> head = RGBQuadsToPalette(entries, count);
    std::vector<TColor> palette = FBitmap.palette();
    if (palette.size() < head.size())
        palette.resize(head.size());
    std::copy(head.begin(), head.end(), palette.begin());
    FBitmap.setPalette(std::move(palette));
    return true;
}

void TDocument::pictureReplaced()
{
    if (OnPictureReplaced)
        OnPictureReplaced();
}

// --- The selection ------------------------------------------------------------------------------

void TDocument::selectionReplaced()
{
    FRegionComplexity = FRegion ? FRegion->complexity() : int(rcError);
    if (OnSelectionReplaced)
        OnSelectionReplaced();
}

void TDocument::InstallSelection(TRegionRef region, std::optional<TBitmap> mask)
{
    // Trace first: when tracing fails the old selection stays as it was.
    TPoints outline;
    if (mask)
        Bitmap8ToPoints(&*mask, outline);
    else
        RegionToPoints(region, outline);
    FSelectionMask = std::move(mask);
    FRegion = std::move(region);
    if (outline.empty() || !FRegion || FRegion->isEmpty()) {
        FRegion.reset();
        FSelectionMask.reset();
        outline.clear();
    }
    FOutline.swap(outline);
    selectionReplaced();
}

void TDocument::RemoveSelection()
{
    FSelectionMask.reset();
    FRegion.reset();
    FOutline.clear();
    FRegionComplexity = 0;
    if (OnSelectionReplaced)
        OnSelectionReplaced();
}

TRegionRef TDocument::ClippedToImage(const TRegionRef& value) const
{
    TRegionRef clipped;
    IntersectRegionWithRect(clipped, value, ImageRect());
    return clipped;
}

TSelection TDocument::Inverted(bool ignoreMask) const
{
    if (FSelectionMask && !ignoreMask) {
        TBitmap mask = *FSelectionMask;
        for (int y = 0; y < mask.height(); ++y) {
            std::uint8_t* row = mask.scanLine(y);
            for (int x = 0; x < mask.width(); ++x)
                row[x] = std::uint8_t(255 - row[x]);
        }
        TRegionRef region = MaskToRegion(mask);
        return {std::move(region), std::move(mask)};
    }
    TRegionRef region;
    XorRegionWithRect(region, FRegion ? FRegion : TRegionRef(TRegion()), ImageRect());
    return {std::move(region), std::nullopt};
}

bool TDocument::CombineChanges(const TRegion& created, int combineMode) const
{
    return !created.isEmpty() || (combineMode == RGN_COPY && FRegion);
}

TSelection TDocument::Combined(const TRegionRef& created, int combineMode) const
{
    if (combineMode != RGN_OR && combineMode != RGN_DIFF)
        return {created, std::nullopt};
    TSelection result{TRegion(), FSelectionMask};
    const TRegion old = FRegion ? *FRegion : TRegion();
    TRegion::combine(*result.region, old, *created, TCombineMode(combineMode));
    if (result.mask)
        FillMaskRegion(*result.mask, *created, combineMode == RGN_OR ? 0 : 255);
    return result;
}

void TDocument::MoveSelection(int dx, int dy)
{
    if (FSelectionMask)
        FSelectionMask = shiftedMask(*FSelectionMask, dx, dy);
    if (FRegion)
        FRegion->offset(dx, dy);
    RebuildOutline();
}

TSelection TDocument::Moved(int dx, int dy) const
{
    TSelection moved;
    if (FSelectionMask) {
        moved.mask = shiftedMask(*FSelectionMask, dx, dy);
        moved.region = MaskToRegion(*moved.mask);
        if (!moved.region)
            throw EPxImageError("PxImage.ObscureRegion: Can not create region.");
    } else if (FRegion) {
        TRegion shifted = *FRegion;
        shifted.offset(dx, dy);
        IntersectRegionWithRect(moved.region, shifted, ImageRect());
    }
    return moved;
}

void TDocument::RebuildOutline()
{
    if (FSelectionMask && FRegion)
        Bitmap8ToPoints(&*FSelectionMask, FOutline);
    else
        RegionToPoints(FRegion, FOutline);
    if (FOutline.empty())
        FRegion.reset();
    if (OnSelectionReplaced)
        OnSelectionReplaced();
}

} // namespace kalvo
