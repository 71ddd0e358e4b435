// Scan-line fill: each queued point grows to its whole run of matching pixels, and every run of
// matching pixels next to it in the rows below and above is queued once, at its right end.
#include "imaging/raster/FloodMask.h"

#include "image/Hls.h"
#include "image/Palette.h"
#include "image/PixelAccess.h"

#include <QPoint>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <deque>

namespace kalvo {

namespace {

class TFloodFill {
public:
    TFloodFill(const TBitmap& image, int tolerance);
    TBitmap run(int x, int y);

private:
    enum : std::uint8_t { kVisited = 1, kTested = 2, kMatches = 4 };

    bool inRange(const THLS& c) const;
    bool colorMatches(TColor c);
    bool matches(int x, int y);
    void fillSpan(int px, int py);
    void queueRuns(int row, int left, int right);

    const TBitmap& image_;
    TConstPixelTable rows_;
    TColorTable table_{};
    THLS seed_;
    int e_ = 0;
    std::vector<std::uint8_t> state_;
    std::deque<QPoint> queue_;
    // Recent colours and their results: neighbouring pixels of a photo often share colours.
    static constexpr std::size_t kCacheSize = 4096;
    std::vector<std::uint64_t> cache_ = std::vector<std::uint64_t>(kCacheSize, 0);
    TBitmap mask_;
};

TFloodFill::TFloodFill(const TBitmap& image, int tolerance)
    : image_(image),
      state_(std::size_t(image.width()) * std::size_t(image.height()), 0),
      mask_(image.width(), image.height(), 1)
{
    BuildPixelTable(rows_, image);
    PaletteToColorTable(image, table_);
    const int t = std::clamp(tolerance, 0, 200);
    e_ = int(std::trunc(t * 6.0 / 5 + 0.5));
}

bool TFloodFill::inRange(const THLS& c) const
{
    return std::abs(c.hue - seed_.hue) <= e_ && std::abs(c.lightness - seed_.lightness) <= e_
        && std::abs(c.saturation - seed_.saturation) <= e_;
}

bool TFloodFill::colorMatches(TColor c)
{
    // An entry holds the colour in the low 32 bits, bit 32 = known, bit 33 = matches.
    std::uint64_t& entry = cache_[(c * 2654435761u >> 20) % kCacheSize];
    if ((entry & 0xFFFFFFFFu) != c || !(entry >> 32 & 1))
        entry = c | std::uint64_t(1) << 32 | std::uint64_t(inRange(RGBToHLS(c))) << 33;
    return entry >> 33 & 1;
}

bool TFloodFill::matches(int x, int y)
{
    std::uint8_t& s = state_[std::size_t(y) * std::size_t(image_.width()) + std::size_t(x)];
    if (!(s & kTested)) {
        const TColor c = GetPixelRGB(x, rows_[std::size_t(y)], image_.bitCount(), table_);
        s |= kTested | (colorMatches(c) ? kMatches : 0);
    }
    return s & kMatches;
}

TBitmap TFloodFill::run(int x, int y)
{
    seed_ = RGBToHLS(GetPixelRGB(x, rows_[std::size_t(y)], image_.bitCount(), table_));
    queue_.emplace_back(x, y);
    while (!queue_.empty()) {
        const QPoint p = queue_.front();
        queue_.pop_front();
        fillSpan(p.x(), p.y());
    }
    return std::move(mask_);
}

void TFloodFill::fillSpan(int px, int py)
{
    const std::size_t rowStart = std::size_t(py) * std::size_t(image_.width());
    if (state_[rowStart + std::size_t(px)] & kVisited)
        return;
    std::uint8_t* maskRow = mask_.scanLine(py);
    auto visit = [&](int x) {
        state_[rowStart + std::size_t(x)] |= kVisited;
        if (!matches(x, py))
            return false;
        PutPixelIndex(x, maskRow, 1, 1);
        return true;
    };
    int left = px + 1;
    for (int x = px; x >= 0 && visit(x); --x)
        left = x;
    if (left > px)
        return;
    int right = px;
    for (int x = px + 1; x < image_.width() && visit(x); ++x)
        right = x;
    if (py + 1 < image_.height())
        queueRuns(py + 1, left, right);
    if (py > 0)
        queueRuns(py - 1, left, right);
}

// Queues the right-most pixel of every run of matching pixels of the row within [left, right];
// runs already filled are skipped (a visited point would do nothing when taken).
void TFloodFill::queueRuns(int row, int left, int right)
{
    const std::size_t rowStart = std::size_t(row) * std::size_t(image_.width());
    auto queue = [&](int x) {
        if (!(state_[rowStart + std::size_t(x)] & kVisited))
            queue_.emplace_back(x, row);
    };
    bool previous = false;
    for (int x = left; x <= right; ++x) {
        const bool m = matches(x, row);
        if (previous && !m)
            queue(x - 1);
        previous = m;
    }
    if (previous)
        queue(right);
}

} // namespace

std::optional<TBitmap> FloodMask(const TBitmap& bitmap, int x, int y, int tolerance)
{
    if (x < 0 || y < 0 || x >= bitmap.width() || y >= bitmap.height())
        return std::nullopt;
    TFloodFill fill(bitmap, tolerance);
    return fill.run(x, y);
}

} // namespace kalvo
