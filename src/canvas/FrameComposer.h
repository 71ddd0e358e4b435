#pragma once
// Composing one frame: the visible part of the image, stretched nearest-neighbour into a frame
// buffer, and the one-pixel edge right of and below it. The frame buffer is a QImage of
// Format_RGB32 (0xffRRGGBB), shown on screen 1:1; it may hold only a strip of the frame.
#include "canvas/ReducedImages.h"
#include "canvas/ViewGeometry.h"
#include "image/Bitmap.h"
#include "image/Color.h"

#include <QImage>

namespace kalvo {

// What one frame shows: image columns ScrollX.. (SourceWidth of them) and rows ScrollY..
// (SourceHeight), drawn over DrawWidth x DrawHeight frame pixels at Zoom per cent.
struct TFrameSource {
    int ScrollX = 0;
    int ScrollY = 0;
    int SourceWidth = 0;
    int SourceHeight = 0;
    int DrawWidth = 0;
    int DrawHeight = 0;
    int Zoom = 100;
};

TFrameSource FrameSourceOf(const TViewGeometry& g);

// A frame buffer of width x height pixels (at least 1 x 1), filled black.
QImage CreateFrameBuffer(int width, int height);

// Stretches the source rectangle onto the frame's (0, 0, DrawWidth, DrawHeight); frame column x
// shows image column ScrollX + min(x * 100 / Zoom, SourceWidth - 1), rows likewise. Palette
// images go through their palette. Rows that repeat an image row are copied from the row above.
// The drawn area is limited to the frame and the source rectangle to the image. With `reduced`
// (the cache of this image), frames at 50 % or less read the reduced copy whose factor k fits
// the zoom, showing image column k * (column / k): a pixel within the same screen pixel.
void ComposeFrame(const TBitmap& image, const TFrameSource& source, QImage& frame, TReducedImages* reduced = nullptr);

// ComposeFrame for the frame pixels inside area only (frame coordinates); the rest of the frame
// is left as it is. The pixels written are those ComposeFrame would write there. frame may hold
// only a part of the frame (a strip): its pixel (0, 0) is frame pixel origin.
void ComposeFrameArea(const TBitmap& image, const TFrameSource& source, QImage& frame, TReducedImages* reduced,
                      const QRect& area, QPoint origin = {});

// Draws patch, whose top-left pixel lies on image point `at`, over a frame ComposeFrame composed
// from image with the same source and reduction factor k (1: none): each frame pixel that shows
// an image pixel inside the patch shows the patch's pixel there instead, so the frame is the one
// ComposeFrame makes of the image with the patch copied into it. frame may hold only a part of
// the frame, from frame pixel origin.
void ComposeFramePatch(const TBitmap& image, const TBitmap& patch, QPoint at, const TFrameSource& source, QImage& frame,
                       int k, QPoint origin = {});

// The frame area (frame coordinates, within DrawWidth x DrawHeight) whose pixels show image
// pixels inside the image rectangle, including the frame pixels that show them through a
// reduced copy of factor k.
QRect FrameAreaOf(const TFrameSource& source, const QRect& imageRect, int k);

// Sets column DrawWidth (rows 0..DrawHeight) and row DrawHeight (columns 0..DrawWidth) to the
// colour, as far as they lie in the frame (whose pixel (0, 0) is frame pixel origin).
void PaintFrameEdge(QImage& frame, int drawWidth, int drawHeight, TColor color, QPoint origin = {});

} // namespace kalvo
