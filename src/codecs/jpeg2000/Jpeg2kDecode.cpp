#include "codecs/jpeg2000/Jpeg2kDecode.h"

#include "codecs/jpeg2000/Jpeg2kSignature.h"
#include "codecs/jpeg2000/Jpeg2kToBitmap.h"
#include "codecs/jpeg2000/OpjGlue.h"

#include <algorithm>
#include <vector>

namespace kalvo {

namespace {

std::uint64_t ceilDiv(std::uint64_t a, std::uint64_t b)
{
    return (a + b - 1) / b;
}

TJpeg2kGeometry geometryOf(const opj_image_t& image)
{
    TJpeg2kGeometry g;
    g.x0 = image.x0;
    g.y0 = image.y0;
    g.x1 = image.x1;
    g.y1 = image.y1;
    for (std::uint32_t c = 0; c < image.numcomps && image.comps; ++c)
        g.planes.push_back({image.comps[c].dx, image.comps[c].dy, image.comps[c].prec});
    return g;
}

// At most one tile per 64 pixels: finer tilings exist only to make a decoder allocate.
bool acceptableTiling(const TJpeg2kGeometry& g, std::uint64_t pixels)
{
    if (g.tileWidth == 0 || g.tileHeight == 0)
        return false;
    if (g.tileX0 > g.x0 || g.tileY0 > g.y0 || g.tileX0 >= g.x1 || g.tileY0 >= g.y1)
        return false;
    const std::uint64_t tiles = ceilDiv(g.x1 - g.tileX0, g.tileWidth) * ceilDiv(g.y1 - g.tileY0, g.tileHeight);
    return tiles <= std::max<std::uint64_t>(1, pixels / 64);
}

// The size, tiling, planes and precisions stay within what the bitmap and the sample budget
// allow. Palette planes count like the largest plane.
bool acceptable(const TJpeg2kGeometry& g, bool tiled, int paletteColumns, std::uint64_t budget)
{
    if (g.x1 <= g.x0 || g.y1 <= g.y0 || g.planes.empty())
        return false;
    const std::uint64_t width = g.x1 - g.x0;
    const std::uint64_t height = g.y1 - g.y0;
    const bool oneBit = g.planes.size() == 1 && paletteColumns == 0 && g.planes[0].precision == 1;
    if (width > std::uint64_t(TBitmap::kMaxDimension) || height > std::uint64_t(TBitmap::kMaxDimension)
        || !TBitmap::fitsBounds(int(width), int(height), oneBit ? 1 : 24))
        return false;
    if (tiled && !acceptableTiling(g, width * height))
        return false;
    std::uint64_t samples = 0;
    std::uint64_t largest = 0;
    for (const TJpeg2kGeometry::Plane& plane : g.planes) {
        if (plane.dx == 0 || plane.dy == 0 || plane.precision == 0 || plane.precision > 31)
            return false;
        const std::uint64_t n = (ceilDiv(g.x1, plane.dx) - ceilDiv(g.x0, plane.dx))
            * (ceilDiv(g.y1, plane.dy) - ceilDiv(g.y0, plane.dy));
        samples += n;
        largest = std::max(largest, n);
        if (samples > budget)
            return false;
    }
    return samples + std::uint64_t(paletteColumns) * largest <= budget;
}

opj::ImagePtr decodeImage(std::span<const std::uint8_t> data, TJpeg2kFormat format, const TJpeg2kInfo& info)
{
    // The declared geometry is checked before OpenJPEG sets up anything for it.
    const int paletteColumns = format == TJpeg2kFormat::Jp2 ? Jp2PaletteColumns(data) : 0;
    const auto declared = ReadJpeg2kGeometry(data, format);
    if (!declared || !acceptable(*declared, true, paletteColumns, info.MaxSamples))
        return {};
    opj::CodecPtr codec = opj::CreateDecoder(format == TJpeg2kFormat::Jp2 ? OPJ_CODEC_JP2 : OPJ_CODEC_J2K);
    opj::MemoryReader reader{data};
    opj::StreamPtr stream = opj::ReadStream(reader);
    if (!codec || !stream)
        return {};
    opj_dparameters_t params;
    opj_set_default_decoder_parameters(&params);
    if (!opj_setup_decoder(codec.get(), &params))
        return {};
    // Truncated data fails instead of decoding to a partly blank picture.
    opj_decoder_set_strict_mode(codec.get(), OPJ_TRUE);
    opj::SetThreads(codec.get(), info.Threads);
    opj_image_t* raw = nullptr;
    const bool headerRead = opj_read_header(stream.get(), codec.get(), &raw);
    opj::ImagePtr image(raw);
    if (!headerRead || !image || !acceptable(geometryOf(*image), false, paletteColumns, info.MaxSamples))
        return {};
    // OpenJPEG refuses a factor beyond the code stream's resolution levels: take the largest it
    // accepts.
    for (int factor = std::min(info.ReduceFactor, 32); factor > 0; --factor)
        if (opj_set_decoded_resolution_factor(codec.get(), OPJ_UINT32(factor)))
            break;
    if (!opj_decode(codec.get(), stream.get(), image.get()) || !opj_end_decompress(codec.get(), stream.get()))
        return {};
    return image;
}

std::uint32_t ceilDivPow2(std::uint32_t a, std::uint32_t factor)
{
    return std::uint32_t((std::uint64_t(a) + (std::uint64_t(1) << factor) - 1) >> factor);
}

// A reduced decoding leaves the image's reference grid and the planes' origins at full
// resolution while the planes hold the reduced samples: this view puts them on one grid.
struct TReducedView {
    opj_image_t image;
    std::vector<opj_image_comp_t> comps;
};

TReducedView reducedView(const opj_image_t& image)
{
    TReducedView view{image, std::vector<opj_image_comp_t>(image.comps, image.comps + image.numcomps)};
    const std::uint32_t factor = std::min<std::uint32_t>(view.comps.front().factor, 31);
    view.image.x0 = ceilDivPow2(image.x0, factor);
    view.image.y0 = ceilDivPow2(image.y0, factor);
    view.image.x1 = ceilDivPow2(image.x1, factor);
    view.image.y1 = ceilDivPow2(image.y1, factor);
    for (opj_image_comp_t& comp : view.comps) {
        comp.x0 = ceilDivPow2(comp.x0, factor);
        comp.y0 = ceilDivPow2(comp.y0, factor);
    }
    view.image.comps = view.comps.data();
    return view;
}

} // namespace

TBitmap DecodeJpeg2k(std::span<const std::uint8_t> data, TJpeg2kInfo& info)
{
    const TJpeg2kFormat format = DetectJpeg2kFormat(data);
    if (format == TJpeg2kFormat::None)
        return {};
    const opj::ImagePtr image = decodeImage(data, format, info);
    if (!image)
        return {};
    if (image->numcomps > 0 && image->comps && image->comps[0].factor > 0) {
        const TReducedView view = reducedView(*image);
        return ImageToBitmap(view.image, info);
    }
    return ImageToBitmap(*image, info);
}

} // namespace kalvo
