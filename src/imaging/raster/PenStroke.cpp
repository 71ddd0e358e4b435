#include "imaging/raster/PenStroke.h"

#include "image/PixelBox.h"
#include "image/PixelLine.h"
#include "image/RegionConvert.h"
#include "imaging/raster/AntiAliasedLine.h"
#include "imaging/raster/PixelMath.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace kalvo {

namespace {

// 255 * 255 * 100: the pen's full weight (stroke, selection and opacity all complete).
constexpr std::int64_t kPenWhole = 255 * 25500;

// Calls plot(x, y, value) for every pixel the lines through the points reach, with the value
// of the stroke mask there (the darker value of several wins in the mask).
template <class Plot>
void WalkStroke(const TPoints& points, bool antiAlias, Plot&& plot)
{
    for (std::size_t i = 1; i < points.size(); ++i) {
        const QPoint a = points[i - 1], b = points[i];
        if (antiAlias)
            WalkAntiAliasedLine(a.x(), a.y(), b.x(), b.y(), plot);
        else
            WalkPixelLine(a.x(), a.y(), b.x(), b.y(), [&](int x, int y) { plot(x, y, 0); });
    }
}

// Blends the stroke into the pixels of `area` of the picture, kept in target (area-sized): each
// pixel weighted by the stroke mask (area-sized), by 255 minus
// the selection mask (whose top-left pixel lies at selectionOrigin in the picture; nullptr:
// everything selected) and by the opacity.
void BlendStroke(TBitmap& target, const QRect& area, const TBitmap& stroke, const TBitmap* selection,
                 QPoint selectionOrigin, int alpha, TColor color)
{
    const std::int64_t channel[3] = {GetBValue(color), GetGValue(color), GetRValue(color)};
    for (int r = 0; r < area.height(); ++r) {
        const int my = area.top() + r - selectionOrigin.y();
        const std::uint8_t* s = stroke.scanLine(r);
        const std::uint8_t* m = selection && my < selection->height() ? selection->scanLine(my) : nullptr;
        std::uint8_t* p = target.scanLine(r);
        for (int c = 0; c < area.width(); ++c) {
            const int mx = area.left() + c - selectionOrigin.x();
            const int selected = selection ? (m && mx < selection->width() ? 255 - m[mx] : 0) : 255;
            // a = weight / kPenWhole, kept as an exact fraction so that whole results are not
            // truncated to one less.
            const std::int64_t weight = std::int64_t(255 - s[c]) * selected * (100 - alpha);
            if (weight == 0)
                continue;
            for (int k = 0; k < 3; ++k)
                p[3 * c + k] = std::uint8_t(
                    clamp255(int(((kPenWhole - weight) * p[3 * c + k] + weight * channel[k]) / kPenWhole)));
        }
    }
}

} // namespace

TBitmap PenStrokeMask(int width, int height, const TPoints& points, bool antiAlias)
{
    TBitmap mask(width, height, 8);
    for (int y = 0; y < height; ++y)
        std::memset(mask.scanLine(y), 255, std::size_t(width));
    WalkStroke(points, antiAlias, [&](int x, int y, int v) {
        if (x >= 0 && y >= 0 && x < width && y < height && v < mask.scanLine(y)[x])
            mask.scanLine(y)[x] = std::uint8_t(v);
    });
    return mask;
}

TPenTiles PenStrokeTiles(int width, int height, const TPoints& points, bool antiAlias)
{
    TPenTiles out;
    if (width <= 0 || height <= 0)
        return out;
    const int columns = (width + kPenTile - 1) / kPenTile, rows = (height + kPenTile - 1) / kPenTile;
    std::vector<int> slot(std::size_t(columns) * std::size_t(rows), -1);
    // Each segment is walked once; a tile is made when a value below 255 first reaches it.
    WalkStroke(points, antiAlias, [&](int x, int y, int v) {
        if (x < 0 || y < 0 || x >= width || y >= height || v == 255)
            return;
        const int tx = x / kPenTile, ty = y / kPenTile;
        int& s = slot[std::size_t(ty) * std::size_t(columns) + std::size_t(tx)];
        if (s < 0) {
            s = int(out.Tiles.size());
            const TRect tile{tx * kPenTile, ty * kPenTile, std::min(width, (tx + 1) * kPenTile),
                             std::min(height, (ty + 1) * kPenTile)};
            TBitmap mask(tile.width(), tile.height(), 8);
            std::memset(mask.bits(), 255, mask.byteSize());
            out.Tiles.push_back(tile);
            out.Masks.push_back(std::move(mask));
        }
        std::uint8_t& p = out.Masks[std::size_t(s)].scanLine(y - ty * kPenTile)[x - tx * kPenTile];
        if (v < p)
            p = std::uint8_t(v);
    });
    return out;
}

std::optional<std::vector<TBitmap>> DrawPenStrokeTiles(const TBitmap& picture, const TBitmap* selectionMask,
                                                       const TPoints& points, int alpha, const TRegionRef& region,
                                                       TColor color, const TPenTiles& tiles)
{
    if (points.size() < 2 || picture.empty() || picture.bitCount() != 24)
        return std::nullopt;
    alpha = std::clamp(alpha, 0, 100);
    std::vector<TBitmap> out;
    out.reserve(tiles.Tiles.size());
    for (std::size_t t = 0; t < tiles.Tiles.size(); ++t) {
        const TRect& tile = tiles.Tiles[t];
        out.push_back(CopyBox(picture, tile));
        const QRect area(tile.left, tile.top, tile.width(), tile.height());
        // Without a mask the region selects: its part inside the tile as a tile-sized mask.
        std::optional<TBitmap> regionMask;
        if (!selectionMask && region) {
            TRegion inside = region->intersected(tile);
            inside.offset(-tile.left, -tile.top);
            regionMask = RegionToMask(inside, area.width(), area.height());
        }
        BlendStroke(out.back(), area, tiles.Masks[t], regionMask ? &*regionMask : selectionMask,
                    regionMask ? area.topLeft() : QPoint(0, 0), alpha, color);
    }
    return out;
}

void PutPenTiles(TBitmap& picture, const TPenTiles& tiles, const std::vector<TBitmap>& pixels) noexcept
{
    for (std::size_t t = 0; t < tiles.Tiles.size() && t < pixels.size(); ++t) {
        const TRect& tile = tiles.Tiles[t];
        for (int y = tile.top; y < tile.bottom; ++y)
            std::memcpy(picture.scanLine(y) + 3 * std::size_t(tile.left), pixels[t].scanLine(y - tile.top),
                        3 * std::size_t(tile.width()));
    }
}

std::optional<TBitmap> DrawPenStroke(const TBitmap& source, const TBitmap* selectionMask, const TPoints& points,
                                     int alpha, bool antiAlias, const TRegionRef& region, TColor color)
{
    if (points.size() < 2 || source.empty() || source.bitCount() != 24)
        return std::nullopt;
    const TPenTiles tiles = PenStrokeTiles(source.width(), source.height(), points, antiAlias);
    const std::optional<std::vector<TBitmap>> stroked = DrawPenStrokeTiles(source, selectionMask, points, alpha, region,
                                                                           color, tiles);
    TBitmap result = source;
    PutPenTiles(result, tiles, *stroked);
    return result;
}

std::optional<TBitmap> DrawPenStroke(const TBitmap& source, const TBitmap* selectionMask, const TPoints& points,
                                     int alpha, bool antiAlias, TColor color)
{
    return DrawPenStroke(source, selectionMask, points, alpha, antiAlias, std::nullopt, color);
}

} // namespace kalvo
