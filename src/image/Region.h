#pragma once
// The selection region: a set of pixels in image coordinates held as non-overlapping half-open
// rectangles in banded order (sorted by top, then by left; the rectangles of one band share top
// and bottom and do not touch; equal neighbouring bands are merged). A region reference may be
// absent (std::nullopt), which differs from an empty region.
#include "image/Geometry.h"

#include <QRegion>

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <span>
#include <vector>

namespace kalvo {

// The class of a combined region.
enum TRegionClass : int { rcError = 0, rcEmpty = 1, rcSimple = 2, rcComplex = 3 };
// How two regions are combined.
enum class TRegionOp : int { And = 1, Or = 2, Xor = 3, Diff = 4, Copy = 5 };

class TRegion {
public:
    // Coordinates beyond +-kCoordLimit are refused by every constructor of regions.
    static constexpr int kCoordLimit = 1 << 27;

    // The empty region.
    TRegion() = default;
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
    // Wraps a Qt region (already banded by Qt).
    static TRegion fromQRegion(const QRegion& region) { return TRegion(region); }

    // dest := a op b (Copy: dest := a). Returns the class of the result.
    static int combine(TRegion& dest, const TRegion& a, const TRegion& b, TRegionOp op);
    // The class of this region: rcEmpty, rcSimple or rcComplex.
    int complexity() const;

    bool isEmpty() const { return region_.isEmpty(); }
    std::size_t rectCount() const { return std::size_t(region_.rectCount()); }
    // The bounding box; (0, 0, 0, 0) for an empty region.
    TRect boundingRect() const;
    // The rectangles in banded order.
    std::vector<TRect> rects() const;
    bool contains(int x, int y) const { return region_.contains(QPoint(x, y)); }
    void offset(int dx, int dy) { region_.translate(dx, dy); }

    const QRegion& qregion() const { return region_; }
    bool operator==(const TRegion& other) const { return region_ == other.region_; }

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
    explicit TRegion(const QRegion& r) : region_(r) {}
    friend class TRegionBuilder;
    QRegion region_;
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
