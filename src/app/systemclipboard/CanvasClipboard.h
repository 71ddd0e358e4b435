#pragma once
// The canvas's clipboard exchange on the system clipboard: copy, cut and paste of pictures and
// of the selection's shape.
#include "image/Bitmap.h"
#include "image/Region.h"

namespace kalvo {

class TpxImage;

// Puts the image on the clipboard: without a region the whole image; with one, the region's box
// (limited to the image) with the fill colour outside the region, and the region's part inside
// the image relative to the box as the shape. False when there is nothing to copy.
bool CopyImageToClipboard(const TBitmap& image, const TRegionRef& region, TColor fill);
// Replaces the clipboard's content by the shape alone.
void PutRegionOnClipboard(const TRegion& region);
// The shape on the clipboard; absent when there is none or it is not a valid region stream.
TRegionRef GetRegionFromClipboard();
// The picture on the clipboard (see ReadClipboardPicture); throws when there is none.
TBitmap GetBitmapFromClipboard();
// What the clipboard offers now.
bool ClipboardHasPicture();
bool ClipboardHasRegion();

// Canvas operations, each with the wait cursor while it runs.
bool CopyToClipboard(TpxImage& canvas);
// Copies, then fills the selection hard with the canvas's background colour.
bool CutToClipboard(TpxImage& canvas);
// The canvas takes the picture as its image and drops its selection.
void PasteFromClipboard(TpxImage& canvas, const TBitmap& picture);
// OnRegionChange, then the shape becomes the selection (clipped to the image). False when the
// clipboard has no usable shape.
bool PasteRegionFromClipboard(TpxImage& canvas);

} // namespace kalvo
