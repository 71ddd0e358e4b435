#include "imaging/geometry/RotateByAngle.h"

#include "image/ImageErrors.h"
#include "imaging/geometry/OrientBitmap.h"
#include "imaging/raster/RowDriver.h"

#include <cmath>
#include <cstdint>
#include <numbers>

namespace kalvo {

namespace {

constexpr int kFraction = 32; // fixed-point bits of the source coordinates

double Radians(int tenths)
{
    return tenths * std::numbers::pi / 1800.0;
}

TOrientation QuarterTurn(int tenths)
{
    switch (((tenths / 900) % 4 + 4) % 4) {
    case 1: return TOrientation::Rotate90;
    case 2: return TOrientation::Rotate180;
    case 3: return TOrientation::Rotate270;
    default: return TOrientation::Normal;
    }
}

// Bilinear sampling of a 24-bit source with the background outside it.
class TSampler {
public:
    TSampler(const TBitmap& source, TColor background)
        : source_(source),
          back_{std::uint8_t(GetBValue(background)), std::uint8_t(GetGValue(background)),
                std::uint8_t(GetRValue(background))}
    {
    }

    // Writes the pixel at fixed-point source coordinates (sx, sy) into out (blue, green, red).
    void sample(std::int64_t sx, std::int64_t sy, std::uint8_t* out) const
    {
        const std::int64_t x0 = sx >> kFraction, y0 = sy >> kFraction;
        if (x0 < -1 || y0 < -1 || x0 >= source_.width() || y0 >= source_.height()) {
            out[0] = back_[0], out[1] = back_[1], out[2] = back_[2];
            return;
        }
        const unsigned fx = unsigned(sx >> (kFraction - 8)) & 0xFF, fy = unsigned(sy >> (kFraction - 8)) & 0xFF;
        const std::uint8_t* p00 = at(x0, y0);
        const std::uint8_t* p01 = at(x0 + 1, y0);
        const std::uint8_t* p10 = at(x0, y0 + 1);
        const std::uint8_t* p11 = at(x0 + 1, y0 + 1);
        for (int c = 0; c < 3; ++c) {
            const unsigned top = p00[c] * (256 - fx) + p01[c] * fx;
            const unsigned bottom = p10[c] * (256 - fx) + p11[c] * fx;
            out[c] = std::uint8_t((top * (256 - fy) + bottom * fy + 32768) >> 16);
        }
    }

private:
    const std::uint8_t* at(std::int64_t x, std::int64_t y) const
    {
        if (x < 0 || y < 0 || x >= source_.width() || y >= source_.height())
            return back_;
        return source_.scanLine(int(y)) + x * 3;
    }

    const TBitmap& source_;
    std::uint8_t back_[3];
};

std::int64_t Fixed(double v)
{
    return std::int64_t(std::llround(std::ldexp(v, kFraction)));
}

} // namespace

void RotatedSize(int width, int height, int tenths, int& newWidth, int& newHeight)
{
    const double c = std::fabs(std::cos(Radians(tenths))), s = std::fabs(std::sin(Radians(tenths)));
    // The slack keeps an exact fit from rounding up to one more pixel.
    newWidth = int(std::ceil(width * c + height * s - 1e-6));
    newHeight = int(std::ceil(width * s + height * c - 1e-6));
}

bool IsQuarterTurn(int tenths)
{
    return tenths % 900 == 0;
}

TBitmap RotateByAngle(const TBitmap& source, int tenths, TColor background, const TProgressCallback& progress)
{
    if (source.empty())
        throw EPxImageError("RotateByAngle: The source image is empty.");
    if (tenths < kMinRotationTenths || tenths > kMaxRotationTenths)
        throw EPxImageError("RotateByAngle: The angle is out of range.");
    if (IsQuarterTurn(tenths))
        return OrientBitmap(source, QuarterTurn(tenths));
    int width = 0, height = 0;
    RotatedSize(source.width(), source.height(), tenths, width, height);
    TBitmap result(width, height, 24);
    const TBitmap converted = source.bitCount() == 24 ? TBitmap() : source.toTrueColor();
    const TSampler sampler(source.bitCount() == 24 ? source : converted, background);

    // Destination pixel centre (u, v) about the centre maps back to the source by the inverse
    // turn: sx = c u + s v, sy = -s u + c v, then to source pixel indices.
    const double c = std::cos(Radians(tenths)), s = std::sin(Radians(tenths));
    const std::int64_t stepX = Fixed(c), stepY = Fixed(-s);
    const auto report = [&](int y) {
        if (progress)
            progress(int(std::int64_t(y) * 100 / height));
    };
    DriveRows(height, width, report, [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            const double u = 0.5 - width / 2.0, v = y + 0.5 - height / 2.0;
            std::int64_t sx = Fixed(c * u + s * v + source.width() / 2.0 - 0.5);
            std::int64_t sy = Fixed(-s * u + c * v + source.height() / 2.0 - 0.5);
            std::uint8_t* out = result.scanLine(y);
            for (int x = 0; x < width; ++x, out += 3, sx += stepX, sy += stepY)
                sampler.sample(sx, sy, out);
        }
    });
    return result;
}

} // namespace kalvo
