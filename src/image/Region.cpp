#include "image/Region.h"

#include <algorithm>

namespace kalvo {

namespace {

int clampCoord(int v)
{
    return std::clamp(v, -TRegion::kCoordLimit, TRegion::kCoordLimit);
}

} // namespace

TRegion TRegion::rect(const TRect& r)
{
    const TRect n = r.normalized();
    const TRect c{clampCoord(n.left), clampCoord(n.top), clampCoord(n.right), clampCoord(n.bottom)};
    if (c.isEmpty())
        return TRegion();
    return TRegion(QRegion(c.left, c.top, c.width(), c.height()));
}

int TRegion::complexity() const
{
    const int n = region_.rectCount();
    return n == 0 ? rcEmpty : n == 1 ? rcSimple : rcComplex;
}

int TRegion::combine(TRegion& dest, const TRegion& a, const TRegion& b, TRegionOp op)
{
    switch (op) {
    case TRegionOp::And:
        dest.region_ = a.region_.intersected(b.region_);
        break;
    case TRegionOp::Or:
        dest.region_ = a.region_.united(b.region_);
        break;
    case TRegionOp::Xor:
        dest.region_ = a.region_.xored(b.region_);
        break;
    case TRegionOp::Diff:
        dest.region_ = a.region_.subtracted(b.region_);
        break;
    case TRegionOp::Copy:
        dest.region_ = a.region_;
        break;
    default:
        return rcError;
    }
    return dest.complexity();
}

TRect TRegion::boundingRect() const
{
    if (region_.isEmpty())
        return TRect();
    const QRect b = region_.boundingRect();
    return TRect{b.left(), b.top(), b.right() + 1, b.bottom() + 1};
}

std::vector<TRect> TRegion::rects() const
{
    std::vector<TRect> out;
    out.reserve(rectCount());
    for (const QRect& r : region_)
        out.push_back(TRect{r.left(), r.top(), r.right() + 1, r.bottom() + 1});
    return out;
}

TRegion CreateEmptyRegion()
{
    return TRegion();
}

void DeleteRegion(TRegionRef& region)
{
    region.reset();
}

int CopyRegion(TRegionRef& target, const TRegionRef& source)
{
    if (!target)
        target.emplace();
    if (!source)
        return rcError;
    return TRegion::combine(*target, *source, *source, TRegionOp::Copy);
}

namespace {

int combineWithRect(TRegionRef& target, const TRegionRef& source, const TRect& rect, TRegionOp op)
{
    if (!target)
        target.emplace();
    if (!source)
        return rcError;
    const TRegion rectRegion = TRegion::rect(rect);
    return TRegion::combine(*target, rectRegion, *source, op);
}

} // namespace

int IntersectRegionWithRect(TRegionRef& target, const TRegionRef& source, const TRect& rect)
{
    return combineWithRect(target, source, rect, TRegionOp::And);
}

int XorRegionWithRect(TRegionRef& target, const TRegionRef& source, const TRect& rect)
{
    return combineWithRect(target, source, rect, TRegionOp::Xor);
}

} // namespace kalvo
