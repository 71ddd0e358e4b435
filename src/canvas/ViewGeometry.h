#pragma once
// The canvas's view state: image size, zoom, scroll position, and where and how much of the image
// is shown in the client area. Everything here is plain arithmetic, with no widget, so the layout
// rules can be tested on their own. Sizes are in image pixels unless named as screen sizes.
//
// Every "Trunc(v x ZoomFactor)" is computed exactly in integers as v * Zoom / 100 (truncated
// toward zero), so that zoom factors such as 1.15 do not lose a pixel to binary rounding.

namespace kalvo {

// One scroll bar in the platform's terms: positions min..max with a page of `page`, so the last
// position is max - page + 1. A hidden bar has 0..0 and page 0.
struct TScrollBarInfo {
    int min = 0;
    int max = 0;
    int page = 0;
    int position = 0;
    bool visible() const { return page > 0; }
    // The largest position the thumb can take.
    int lastPosition() const { return visible() ? max - page + 1 : 0; }
    bool operator==(const TScrollBarInfo&) const = default;
};

struct TViewGeometry {
    // Inputs.
    int ImageWidth = 0;  // W
    int ImageHeight = 0; // H
    int ClientWidth = 100;
    int ClientHeight = 100;
    int Zoom = 100;
    bool Center = true;
    bool ShowScrollBars = true;

    // Scroll position: the image column and row at the top-left of the view.
    int ScrollX = 0;
    int ScrollY = 0;

    // Derived by RecalcLayout and UpdateView.
    int ImageLeft = 0; // screen
    int ImageTop = 0;  // screen
    int ZoomedWidth = 0;
    int ZoomedHeight = 0;
    int VisibleWidth = 0;
    int VisibleHeight = 0;
    int DisplayWidth = 0;  // screen
    int DisplayHeight = 0; // screen
    int SourceWidth = 0;
    int SourceHeight = 0;
    int DrawWidth = 0;  // screen
    int DrawHeight = 0; // screen

    double ZoomFactor() const { return Zoom / 100.0; }
    // Trunc(v x ZoomFactor), exactly.
    int Zoomed(int v) const { return int((long long)v * Zoom / 100); }

    // Zoomed size and the visible and display sizes for the current client area; resets the
    // scroll position of an axis on which the whole image fits. Call UpdateView afterwards.
    void RecalcLayout();
    // Snaps the scroll position at the far end (so that the last column and row show completely),
    // then computes the centring offsets and the drawn sizes.
    void UpdateView();
    // Limits the scroll position to the scrollable range.
    void ClampScroll();
    // True when the image is larger than the client area along that axis.
    bool ScrollsHorizontally() const { return ClientWidth < ZoomedWidth; }
    bool ScrollsVertically() const { return ClientHeight < ZoomedHeight; }

    TScrollBarInfo HorizontalBar() const;
    TScrollBarInfo VerticalBar() const;

    // The line step of the scroll bars: a tenth of the visible size, at least 1.
    int LineStepX() const { return VisibleWidth / 10 > 1 ? VisibleWidth / 10 : 1; }
    int LineStepY() const { return VisibleHeight / 10 > 1 ? VisibleHeight / 10 : 1; }
};

} // namespace kalvo
