#include "image/RegionBuilder.h"

#include <climits>

namespace kalvo {

namespace {

bool inLimits(int v)
{
    return v >= -TRegion::kCoordLimit && v <= TRegion::kCoordLimit;
}

} // namespace

bool TRegionBuilder::isUsable(const TRect& r)
{
    return !r.isEmpty() && inLimits(r.left) && inLimits(r.right) && inLimits(r.top)
        && inLimits(r.bottom);
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
            rects_.back().setRight(right - 1);
            return true;
        }
    } else {
        closeBand();
        bandStart_ = rects_.size();
        bandTop_ = top;
        bandBottom_ = bottom;
        hasBand_ = true;
    }
    rects_.emplace_back(QPoint(left, top), QPoint(right - 1, bottom - 1));
    return true;
}

bool TRegionBuilder::bandsEqual(std::size_t a, std::size_t b, std::size_t end) const
{
    if (b - a != end - b)
        return false;
    for (std::size_t i = 0; i < b - a; ++i) {
        if (rects_[a + i].left() != rects_[b + i].left()
            || rects_[a + i].right() != rects_[b + i].right())
            return false;
    }
    return true;
}

void TRegionBuilder::closeBand()
{
    if (!hasBand_)
        return;
    const bool joins = hasPrevBand_ && rects_[prevBandStart_].bottom() + 1 == bandTop_
        && bandsEqual(prevBandStart_, bandStart_, rects_.size());
    if (joins) {
        for (std::size_t i = prevBandStart_; i < bandStart_; ++i)
            rects_[i].setBottom(bandBottom_ - 1);
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
    QRegion region;
    region.setRects(rects_.data(), int(rects_.size()));
    rects_.clear();
    rects_.shrink_to_fit();
    bandStart_ = prevBandStart_ = 0;
    hasPrevBand_ = false;
    return TRegion(region);
}

} // namespace kalvo
