#include "image/Region.h"

#include <algorithm>
#include <new>
#include <utility>

namespace kalvo {

namespace {

int clampCoord(int v)
{
    return std::clamp(v, -TRegion::kCoordLimit, TRegion::kCoordLimit);
}

} // namespace

namespace {

// pixman reports a failed allocation by its result (and leaves the region marked broken).
void check(pixman_bool_t ok)
{
    if (!ok)
        throw std::bad_alloc();
}

} // namespace

TRegion::TRegion(const TRegion& other)
{
    pixman_region32_init(&region_);
    check(pixman_region32_copy(&region_, &other.region_));
}

TRegion::TRegion(TRegion&& other) noexcept : region_(other.region_)
{
    pixman_region32_init(&other.region_);
}

TRegion& TRegion::operator=(const TRegion& other)
{
    if (this != &other)
        check(pixman_region32_copy(&region_, &other.region_));
    return *this;
}

TRegion& TRegion::operator=(TRegion&& other) noexcept
{
    std::swap(region_, other.region_);
    return *this;
}

TRegion TRegion::rect(const TRect& r)
{
    const TRect n = r.normalized();
    const TRect c{clampCoord(n.left), clampCoord(n.top), clampCoord(n.right), clampCoord(n.bottom)};
    TRegion out;
    if (!c.isEmpty())
        pixman_region32_init_rect(&out.region_, c.left, c.top, unsigned(c.width()), unsigned(c.height()));
    return out;
}

int TRegion::complexity() const
{
    const std::size_t n = rectCount();
    return n == 0 ? rcEmpty : n == 1 ? rcSimple : rcComplex;
}

int TRegion::combine(TRegion& dest, const TRegion& a, const TRegion& b, TCombineMode op)
{
    pixman_region32_t* d = &dest.region_;
    switch (op) {
    case RGN_AND: check(pixman_region32_intersect(d, &a.region_, &b.region_)); break;
    case RGN_OR: check(pixman_region32_union(d, &a.region_, &b.region_)); break;
    case RGN_XOR: {
        // pixman has no exclusive or; (a - b) + (b - a) is how the banded algorithm defines it.
        TRegion aOnly, bOnly;
        check(pixman_region32_subtract(&aOnly.region_, &a.region_, &b.region_));
        check(pixman_region32_subtract(&bOnly.region_, &b.region_, &a.region_));
        check(pixman_region32_union(d, &aOnly.region_, &bOnly.region_));
        break;
    }
    case RGN_DIFF: check(pixman_region32_subtract(d, &a.region_, &b.region_)); break;
    case RGN_COPY:
        if (&dest != &a)
            check(pixman_region32_copy(d, &a.region_));
        break;
    default: return rcError;
    }
    return dest.complexity();
}

TRect TRegion::boundingRect() const
{
    if (isEmpty())
        return TRect();
    const pixman_box32_t* b = pixman_region32_extents(&region_);
    return TRect{b->x1, b->y1, b->x2, b->y2};
}

std::span<const pixman_box32_t> TRegion::boxes() const&
{
    int n = 0;
    const pixman_box32_t* first = pixman_region32_rectangles(&region_, &n);
    return {first, std::size_t(n)};
}

std::vector<TRect> TRegion::rects() const
{
    std::vector<TRect> out;
    out.reserve(rectCount());
    for (const pixman_box32_t& b : boxes())
        out.push_back(TRect{b.x1, b.y1, b.x2, b.y2});
    return out;
}

TRegion TRegion::intersected(const TRect& r) const
{
    TRegion out;
    if (!r.isEmpty())
        check(pixman_region32_intersect_rect(&out.region_, &region_, r.left, r.top, unsigned(r.width()),
                                             unsigned(r.height())));
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
    return TRegion::combine(*target, *source, *source, RGN_COPY);
}

namespace {

int combineWithRect(TRegionRef& target, const TRegionRef& source, const TRect& rect, TCombineMode op)
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
    return combineWithRect(target, source, rect, RGN_AND);
}

int XorRegionWithRect(TRegionRef& target, const TRegionRef& source, const TRect& rect)
{
    return combineWithRect(target, source, rect, RGN_XOR);
}

} // namespace kalvo
