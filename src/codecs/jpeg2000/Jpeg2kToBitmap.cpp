#include "codecs/jpeg2000/Jpeg2kToBitmap.h"

#include "codecs/jpeg2000/YCbCrTables.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace kalvo {

namespace {

enum class TColourModel { Grey, Rgb, YCbCr };

std::optional<TColourModel> colourModel(const opj_image_t& image)
{
    switch (image.color_space) {
    case OPJ_CLRSPC_GRAY: return TColourModel::Grey;
    case OPJ_CLRSPC_SRGB: return TColourModel::Rgb;
    case OPJ_CLRSPC_SYCC: return TColourModel::YCbCr;
    case OPJ_CLRSPC_UNKNOWN:
    case OPJ_CLRSPC_UNSPECIFIED:
        // OpenJPEG hands CIE Lab over as a parameter block without a profile length.
        if (image.icc_profile_buf && image.icc_profile_len == 0)
            return std::nullopt;
        return image.numcomps >= 3 ? TColourModel::Rgb : TColourModel::Grey;
    default: return std::nullopt;
    }
}

int clamp255(int v)
{
    return std::clamp(v, 0, 255);
}

// One image plane seen through the bitmap's pixel grid, delivering scaled samples row by row.
class TPlane {
public:
    TPlane(const opj_image_t& image, const opj_image_comp_t& comp, int width, int height)
        : data_(comp.data),
          columns_(positions(width, comp.x0, comp.dx, image.x0, comp.w)),
          rows_(positions(height, comp.y0, comp.dy, image.y0, comp.h)),
          stride_(comp.w),
          max_((std::int64_t(1) << comp.prec) - 1)
    {
        if (comp.prec <= 16) {
            lutLow_ = comp.sgnd ? -(std::int32_t(1) << (comp.prec - 1)) : 0;
            lut_.resize(std::size_t(1) << comp.prec);
            for (std::size_t i = 0; i < lut_.size(); ++i)
                lut_[i] = exact(lutLow_ + std::int32_t(i));
        }
    }

    void scaledRow(int y, int* out) const
    {
        const int row = rows_[std::size_t(y)];
        if (row < 0) {
            std::fill_n(out, columns_.size(), 0);
            return;
        }
        const OPJ_INT32* src = data_ + std::size_t(row) * stride_;
        for (std::size_t x = 0; x < columns_.size(); ++x) {
            const int col = columns_[x];
            out[x] = col < 0 ? 0 : scale(src[col]);
        }
    }

private:
    // Sample index of each bitmap position along one axis, -1 outside the plane. The offset is
    // the plane's origin on the reference grid relative to the image's origin.
    static std::vector<int> positions(int count, OPJ_UINT32 planeStart, OPJ_UINT32 step, OPJ_UINT32 imageStart,
                                      OPJ_UINT32 planeSize)
    {
        const std::int64_t offset = std::int64_t(planeStart) * step - std::int64_t(imageStart);
        std::vector<int> index(std::size_t(count), -1);
        for (int i = 0; i < count; ++i) {
            const std::int64_t p = (i - offset) / std::int64_t(step); // truncates toward zero
            index[std::size_t(i)] = p >= 0 && p < std::int64_t(planeSize) ? int(p) : -1;
        }
        return index;
    }

    int exact(std::int32_t v) const { return int(std::int64_t(v) * 255 / max_); }

    int scale(std::int32_t v) const
    {
        const std::uint64_t i = std::uint64_t(std::int64_t(v) - lutLow_);
        return i < lut_.size() ? lut_[std::size_t(i)] : exact(v);
    }

    const OPJ_INT32* data_;
    std::vector<int> columns_;
    std::vector<int> rows_;
    std::size_t stride_;
    std::int64_t max_;
    std::vector<int> lut_;
    std::int32_t lutLow_ = 0;
};

bool planeUsable(const opj_image_comp_t& comp)
{
    return comp.data && comp.dx > 0 && comp.dy > 0 && comp.prec >= 1 && comp.prec <= 31 && comp.w > 0 && comp.h > 0;
}

void writeGrey1(const int* s, int width, std::uint8_t* out)
{
    for (int x = 0; x < width; ++x)
        if (s[x] != 0)
            out[x >> 3] = std::uint8_t(out[x >> 3] | (0x80 >> (x & 7)));
}

void writeGrey24(const int* s, int width, std::uint8_t* out)
{
    for (int x = 0; x < width; ++x, out += 3)
        out[0] = out[1] = out[2] = std::uint8_t(clamp255(s[x]));
}

void writeRgb24(const int* s, int width, std::uint8_t* out)
{
    const int* r = s;
    const int* g = s + width;
    const int* b = s + 2 * width;
    for (int x = 0; x < width; ++x, out += 3) {
        out[0] = std::uint8_t(clamp255(b[x]));
        out[1] = std::uint8_t(clamp255(g[x]));
        out[2] = std::uint8_t(clamp255(r[x]));
    }
}

void writeYCbCr24(const int* s, int width, std::uint8_t* out)
{
    const TYCbCrTables& t = YCbCrTables();
    const int* lum = s;
    const int* cb = s + width;
    const int* cr = s + 2 * width;
    for (int x = 0; x < width; ++x, out += 3) {
        const std::size_t b = std::size_t(clamp255(cb[x]));
        const std::size_t r = std::size_t(clamp255(cr[x]));
        out[0] = std::uint8_t(clamp255(lum[x] + t.CB[b]));
        out[1] = std::uint8_t(clamp255(lum[x] + t.CG[r] + t.CBG[b]));
        out[2] = std::uint8_t(clamp255(lum[x] + t.CR[r]));
    }
}

} // namespace

TBitmap ImageToBitmap(const opj_image_t& image, TJpeg2kInfo& info)
{
    const auto model = colourModel(image);
    const std::uint32_t used = model == TColourModel::Grey ? 1 : 3;
    if (!model || image.numcomps < used || image.x1 <= image.x0 || image.y1 <= image.y0)
        return {};
    for (std::uint32_t c = 0; c < used; ++c)
        if (!planeUsable(image.comps[c]))
            return {};
    const std::int64_t width = std::int64_t(image.x1) - image.x0;
    const std::int64_t height = std::int64_t(image.y1) - image.y0;
    const int bits = image.comps[0].prec == 1 && used == 1 ? 1 : 24;
    if (width > TBitmap::kMaxDimension || height > TBitmap::kMaxDimension
        || !TBitmap::fitsBounds(int(width), int(height), bits))
        return {};

    info.BitsPerSample = int(image.comps[0].prec);
    info.SamplesPerPixel = int(used);
    info.XDpi = info.YDpi = 96; // the codec has no screen to ask; the usual desktop value
    info.Width = int(width);
    info.Height = int(height);

    TBitmap bitmap(int(width), int(height), bits);
    std::vector<TPlane> planes;
    for (std::uint32_t c = 0; c < used; ++c)
        planes.emplace_back(image, image.comps[c], int(width), int(height));
    auto writeRow = bits == 1          ? writeGrey1
        : *model == TColourModel::Grey ? writeGrey24
        : *model == TColourModel::Rgb  ? writeRgb24
                                       : writeYCbCr24;
    std::vector<int> samples(std::size_t(used) * std::size_t(width));
    for (int y = 0; y < int(height); ++y) {
        for (std::size_t c = 0; c < planes.size(); ++c)
            planes[c].scaledRow(y, samples.data() + c * std::size_t(width));
        writeRow(samples.data(), int(width), bitmap.scanLine(y));
    }
    return bitmap;
}

} // namespace kalvo
