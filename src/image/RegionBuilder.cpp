#include "image/RegionBuilder.h"

#include <climits>
#include <new>

namespace kalvo {

namespace {

bool inLimits(int v)
{
    return v >= -TRegion::kCoordLimit && v <= TRegion::kCoordLimit;
}

} // namespace

bool TRegionBuilder::isUsable(const TRect& r)
{
    return !r.isEmpty() && inLimits(r.left) && inLimits(r.right) && inLimits(r.top) && inLimits(r.bottom);
}

bool TRegionBuilder::follows(const TRect& prev, const TRect& next)
{
    if (next.top == prev.top && next.bottom == prev.bottom)
        return next.left >= prev.right;
    return next.top >= prev.bottom;
}

bool TRegionBuilder::add(int left, int top, int right, int bottom)
{
    const TRect r{left, top, right, bottom};
    if (!isUsable(r) || (hasBand_ && !follows(last_, r)) || rects_.size() >= std::size_t(INT_MAX))
        return false;
    const TRect prev = last_;
    last_ = r;
    if (hasBand_ && top == bandTop_ && bottom == bandBottom_) {
        if (left == prev.right) {
            rects_.back().x2 = right;
            return true;
        }
    } else {
        closeBand();
        bandStart_ = rects_.size();
        bandTop_ = top;
        bandBottom_ = bottom;
        hasBand_ = true;
    }
    rects_.push_back(pixman_box32_t{left, top, right, bottom});
    return true;
}

bool TRegionBuilder::bandsEqual(std::size_t a, std::size_t b, std::size_t end) const
{
    if (b - a != end - b)
        return false;
    for (std::size_t i = 0; i < b - a; ++i) {
        if (rects_[a + i].x1 != rects_[b + i].x1 || rects_[a + i].x2 != rects_[b + i].x2)
            return false;
    }
    return true;
}

void TRegionBuilder::closeBand()
{
    if (!hasBand_)
        return;
    const bool joins = hasPrevBand_ && rects_[prevBandStart_].y2 == bandTop_
        && bandsEqual(prevBandStart_, bandStart_, rects_.size());
    if (joins) {
        for (std::size_t i = prevBandStart_; i < bandStart_; ++i)
            rects_[i].y2 = bandBottom_;
        rects_.resize(bandStart_);
        bandStart_ = prevBandStart_;
    }
    prevBandStart_ = bandStart_;
    hasPrevBand_ = true;
    hasBand_ = false;
}

TRegion TRegionBuilder::finish()
{
    closeBand();
    TRegion region;
    // The rectangles are banded already, so pixman's check of them leaves them as they are.
    if (!rects_.empty() && !pixman_region32_init_rects(&region.region_, rects_.data(), int(rects_.size())))
        throw std::bad_alloc();
    rects_.clear();
    rects_.shrink_to_fit();
    bandStart_ = prevBandStart_ = 0;
    hasPrevBand_ = false;
    return region;
}

} // namespace kalvo
