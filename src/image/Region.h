#pragma once
// The selection region: a set of pixels in image coordinates held as non-overlapping half-open
// rectangles in banded order (sorted by top, then by left; the rectangles of one band share top
// and bottom and do not touch; equal neighbouring bands are merged). Held in a pixman region,
// whose banded-rectangle algorithm gives the same rectangle lists as QRegion's. A region reference may be
// absent (std::nullopt), which differs from an empty region.
#include "image/Geometry.h"

#include <pixman.h>

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <span>
#include <vector>

namespace kalvo {

// The class of a combined region.
enum TRegionClass : int { rcError = 0, rcEmpty = 1, rcSimple = 2, rcComplex = 3 };
// How two regions are combined (intersection, union, exclusive or, difference, copy); a finished
// selection gesture combines with the selection by RGN_COPY (replace), RGN_OR or RGN_DIFF.
enum TCombineMode : int { RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5 };

class TRegion {
public:
    // Coordinates beyond +-kCoordLimit are refused by every constructor of regions.
    static constexpr int kCoordLimit = 1 << 27;

    // The empty region.
    TRegion() { pixman_region32_init(&region_); }
    TRegion(const TRegion& other);
    TRegion(TRegion&& other) noexcept;
    TRegion& operator=(const TRegion& other);
    TRegion& operator=(TRegion&& other) noexcept;
    ~TRegion() { pixman_region32_fini(&region_); }

    // The rectangle with the given corners in any order; empty when it has no area. Corners are
    // clamped to +-kCoordLimit.
    static TRegion rect(const TRect& r);
    // The ellipse inscribed in the box (corners in any order): the pixels whose centres lie on or
    // inside the ellipse; rows and columns are mirror-symmetric about the box centre.
    static TRegion ellipse(const TRect& box);
    // The polygon through the points, closed, filled with the even-odd rule at pixel centres
    // (a centre exactly on a left or top edge is inside). Absent for fewer than two points or
    // coordinates beyond kCoordLimit.
    static std::optional<TRegion> polygon(std::span<const QPoint> points);

    // dest := a op b (RGN_COPY: dest := a). Returns the class of the result.
    static int combine(TRegion& dest, const TRegion& a, const TRegion& b, TCombineMode op);
    // The class of this region: rcEmpty, rcSimple or rcComplex.
    int complexity() const;

    bool isEmpty() const { return !pixman_region32_not_empty(&region_); }
    std::size_t rectCount() const { return boxes().size(); }
    // The bounding box; (0, 0, 0, 0) for an empty region.
    TRect boundingRect() const;
    // The rectangles in banded order.
    std::vector<TRect> rects() const;
    // The same rectangles in place, as pixman holds them (x1, y1 inclusive; x2, y2 exclusive);
    // valid until the region changes.
    std::span<const pixman_box32_t> boxes() const&;
    // The boxes of a temporary would be gone before a loop over them ran.
    std::span<const pixman_box32_t> boxes() const&& = delete;
    // This region AND the rectangle (empty for a rectangle without area).
    TRegion intersected(const TRect& r) const;
    bool contains(int x, int y) const { return pixman_region32_contains_point(&region_, x, y, nullptr); }
    void offset(int dx, int dy) { pixman_region32_translate(&region_, dx, dy); }

    bool operator==(const TRegion& other) const { return pixman_region32_equal(&region_, &other.region_); }

    // Writes the region stream: the 32-byte header (32, 1, N, N * 16, bounding box) and the N
    // rectangles, little-endian.
    static void SaveToStream(const TRegion& region, std::ostream& out);
    // Reads a region stream. The region becomes absent first. A stream shorter than the header
    // leaves it absent without error; rectangles are read in chunks of at most 4000 and a short
    // read raises EReadError. A header that is not a rectangle list, rectangles without area,
    // beyond kCoordLimit or out of banded order raise EPxImageError "TRegion.LoadFromStream:
    // Cannot Create Region"; in every failure the region stays absent.
    static void LoadFromStream(std::optional<TRegion>& region, std::istream& in);

private:
    friend class TRegionBuilder;
    pixman_region32_t region_;
};

// A region reference that may be absent.
using TRegionRef = std::optional<TRegion>;

// The region stream of a region, in memory (the undo history and the clipboard keep these bytes).
std::vector<std::uint8_t> RegionToBytes(const TRegion& region);
// Reads a region stream from memory, as TRegion::LoadFromStream does.
TRegionRef RegionFromBytes(std::span<const std::uint8_t> bytes);

TRegion CreateEmptyRegion();
// Frees the region: the reference becomes absent (absent is allowed).
void DeleteRegion(TRegionRef& region);
// target := source. An absent target becomes an empty region first; an absent source gives
// rcError and leaves the target as it was.
int CopyRegion(TRegionRef& target, const TRegionRef& source);
// target := rect AND source (rcError for an absent source; the target is created when absent).
int IntersectRegionWithRect(TRegionRef& target, const TRegionRef& source, const TRect& rect);
// target := rect XOR source (rcError for an absent source; the target is created when absent).
int XorRegionWithRect(TRegionRef& target, const TRegionRef& source, const TRect& rect);

} // namespace kalvo
