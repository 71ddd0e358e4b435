#pragma once
// Assembles a region from rectangles that arrive in banded order, in time linear in their
// number: touching rectangles of a band are joined and equal neighbouring bands merged, so the
// result is the same canonical region a chain of unions would give.
#include "image/Region.h"

#include <vector>

namespace kalvo {

class TRegionBuilder {
public:
    // Appends a rectangle. Returns false (and ignores it) when it has no area, lies beyond
    // TRegion::kCoordLimit, or breaks the banded order: its band must start at or below the
    // bottom of the previous band, or share top and bottom with it and start at or right of the
    // previous rectangle's right edge.
    bool add(int left, int top, int right, int bottom);
    bool add(const TRect& r) { return add(r.left, r.top, r.right, r.bottom); }
    std::size_t rectCount() const { return rects_.size(); }
    // Room for n rectangles ahead (only when n is known to be backed by real data).
    void reserve(std::size_t n) { rects_.reserve(n); }

    // True when the rectangle has area and lies within TRegion::kCoordLimit.
    static bool isUsable(const TRect& r);
    // True when next may follow prev in banded order.
    static bool follows(const TRect& prev, const TRect& next);
    // The region of everything added so far; the builder is empty afterwards.
    TRegion finish();

private:
    void closeBand();
    bool bandsEqual(std::size_t a, std::size_t b, std::size_t end) const;

    std::vector<pixman_box32_t> rects_;
    TRect last_;
    std::size_t bandStart_ = 0;
    std::size_t prevBandStart_ = 0;
    bool hasBand_ = false;
    bool hasPrevBand_ = false;
    int bandTop_ = 0;
    int bandBottom_ = 0;
};

} // namespace kalvo
