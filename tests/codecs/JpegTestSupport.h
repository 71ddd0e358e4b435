#pragma once
// Helpers for the JPEG tests: encoding and decoding in memory, marker lists, region comparison.
#include "codecs/jpeg/JpegCompressor.h"
#include "codecs/jpeg/JpegDecompressor.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace kalvo::test {

struct JpegOptions {
    int quality = 90;
    bool progressive = false;
    bool gray = false;
    std::string comment;
    std::vector<std::uint8_t> app1; // written as an APP1 marker when not empty
};

inline std::vector<std::uint8_t> EncodeJpeg(const TBitmap& bitmap, const JpegOptions& options = {})
{
    TJPEGFileCompressor jpeg;
    jpeg.setQuality(options.quality);
    jpeg.ProgressiveJPEG = options.progressive;
    jpeg.GrayscaleOutput = options.gray;
    jpeg.Comment = options.comment;
    if (!options.app1.empty())
        jpeg.OnWriteMarkers = [&] { jpeg.WriteMarker(JPEG_APP0 + 1, options.app1); };
    std::ostringstream out;
    jpeg.CompressToStream(bitmap, out);
    const std::string s = out.str();
    return {s.begin(), s.end()};
}

inline TBitmap DecodeJpeg(const std::vector<std::uint8_t>& bytes, int kind = -1)
{
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    TJPEGStreamDecompressor jpeg;
    jpeg.Attach(in);
    TBitmap bmp = jpeg.ToBitmap(kind < 0 ? jpeg.DefaultOutputKind() : kind);
    jpeg.Detach();
    return bmp;
}

// The marker codes of the segments before the first scan, in order (SOI first).
inline std::vector<int> HeaderMarkers(const std::vector<std::uint8_t>& jpeg)
{
    std::vector<int> markers;
    std::size_t p = 0;
    while (p + 1 < jpeg.size() && jpeg[p] == 0xFF) {
        const int m = jpeg[p + 1];
        markers.push_back(m);
        if (m == 0xD8) {
            p += 2;
            continue;
        }
        if (m == 0xDA || p + 3 >= jpeg.size())
            break;
        p += 2 + ((std::size_t(jpeg[p + 2]) << 8) | jpeg[p + 3]);
    }
    return markers;
}

inline int CountMarker(const std::vector<std::uint8_t>& jpeg, int marker)
{
    int n = 0;
    for (int m : HeaderMarkers(jpeg))
        n += m == marker;
    return n;
}

// Mean absolute difference of channel values between a's pixel (x, y) and b's pixel map(x, y)
// over the rectangle [x0, x1) x [y0, y1) of a.
template <class Map>
double MeanDiff(const TBitmap& a, const TBitmap& b, int x0, int y0, int x1, int y1, Map map)
{
    double sum = 0;
    long count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const auto [bx, by] = map(x, y);
            const TColor ca = a.pixelColor(x, y), cb = b.pixelColor(bx, by);
            sum += std::abs(GetRValue(ca) - GetRValue(cb)) + std::abs(GetGValue(ca) - GetGValue(cb))
                + std::abs(GetBValue(ca) - GetBValue(cb));
            count += 3;
        }
    return count ? sum / double(count) : 0.0;
}

// A copy of a baseline or progressive JPEG whose frame header claims another size.
inline std::vector<std::uint8_t> WithClaimedSize(std::vector<std::uint8_t> jpeg, int width, int height)
{
    for (std::size_t i = 0; i + 8 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2)) {
            jpeg[i + 5] = std::uint8_t(height >> 8);
            jpeg[i + 6] = std::uint8_t(height);
            jpeg[i + 7] = std::uint8_t(width >> 8);
            jpeg[i + 8] = std::uint8_t(width);
            break;
        }
    return jpeg;
}

// A smooth 24-bit picture with no symmetry: gradients plus a few hard-edged blocks.
inline TBitmap PhotoLike(int width, int height)
{
    TBitmap bmp(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = bmp.scanLine(y) + 3 * x;
            p[0] = std::uint8_t(255 * x / std::max(1, width - 1));  // blue rises to the right
            p[1] = std::uint8_t(255 * y / std::max(1, height - 1)); // green rises downwards
            p[2] = std::uint8_t(((x / 16 + y / 16) % 3) * 100);     // red blocks
        }
    return bmp;
}

} // namespace kalvo::test
