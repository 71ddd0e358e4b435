#pragma once
// Zoom values: the fixed steps of zoom in and zoom out, and the fit-to-window zoom.

namespace kalvo {

constexpr int kMinZoom = 1;
constexpr int kMaxZoom = 5000;
constexpr int kMinZoomStep = 10;
constexpr int kMaxZoomStep = 3000;

// The zoom one step in from z: 10, 15, 20, 25, 33, 50, 75, 100, 150, then the next multiple of
// 100 up to 3000.
int ZoomStepIn(int z);
// The zoom one step out from z: down by 100 above 300 (to the multiple of 100 below when z is not
// one), then 200, 150, 100, 75, 50, 33, 25, 20, 15, 10; below 10 the zoom stays.
int ZoomStepOut(int z);
// The largest zoom (per cent, limited to 1..5000) at which an imageWidth x imageHeight image fits
// a clientWidth x clientHeight area; 0 when the image is empty.
int FitToWindowZoom(int clientWidth, int clientHeight, int imageWidth, int imageHeight);

} // namespace kalvo
