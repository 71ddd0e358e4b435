#include "codecs/jpeg2000/Jpeg2kEncode.h"

#include "codecs/jpeg2000/Jpeg2kError.h"
#include "codecs/jpeg2000/OpjGlue.h"
#include "imaging/raster/RowDriver.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace kalvo {

namespace {

// As many resolution levels as the usual six, fewer when the picture is too small for them.
int resolutionsFor(int width, int height)
{
    int levels = 6;
    while (levels > 1 && (std::min(width, height) >> (levels - 1)) == 0)
        --levels;
    return levels;
}

opj_cparameters_t encoderParameters(const TJpeg2kInfo& info, bool colour, int width, int height)
{
    if (!(info.Rate > 0.0))
        throw EJpeg2kError("EncodeJpeg2k: Invalid rate");
    opj_cparameters_t p;
    opj_set_default_encoder_parameters(&p);
    p.tcp_numlayers = 1;
    p.tcp_rates[0] = info.Rate >= 1.0 ? 0.0f : float(1.0 / info.Rate);
    p.cp_disto_alloc = 1;
    p.irreversible = 0;
    p.tcp_mct = colour ? 1 : 0;
    p.numresolution = resolutionsFor(width, height);
    if (info.Progression == 0)
        p.prog_order = OPJ_LRCP;
    else if (info.Progression == 1)
        p.prog_order = OPJ_RLCP;
    return p;
}

opj::ImagePtr createImage(int width, int height, int precision, bool colour)
{
    const int count = colour ? 3 : 1;
    std::array<opj_image_cmptparm_t, 3> parms{};
    for (int c = 0; c < count; ++c) {
        opj_image_cmptparm_t& cp = parms[std::size_t(c)];
        cp.dx = cp.dy = 1;
        cp.w = OPJ_UINT32(width);
        cp.h = OPJ_UINT32(height);
        cp.prec = OPJ_UINT32(precision);
        cp.sgnd = 0;
    }
    opj::ImagePtr image(opj_image_create(OPJ_UINT32(count), parms.data(), colour ? OPJ_CLRSPC_SRGB : OPJ_CLRSPC_GRAY));
    if (!image)
        throw EJpeg2kError("EncodeJpeg2k: Out of memory");
    image->x0 = image->y0 = 0;
    image->x1 = OPJ_UINT32(width);
    image->y1 = OPJ_UINT32(height);
    return image;
}

void fillOneBit(const TBitmap& bitmap, opj_image_t& image)
{
    OPJ_INT32* out = image.comps[0].data;
    for (int y = 0; y < bitmap.height(); ++y) {
        const std::uint8_t* row = bitmap.scanLine(y);
        for (int x = 0; x < bitmap.width(); ++x)
            *out++ = (row[x >> 3] >> (7 - (x & 7))) & 1;
    }
}

void fillTrueColor(const TBitmap& bitmap, opj_image_t& image, int precision, bool colour)
{
    // v * m div 255 looked up rather than divided per channel.
    const std::int64_t m = (std::int64_t(1) << precision) - 1;
    std::array<OPJ_INT32, 256> scale{};
    for (int v = 0; v < 256; ++v)
        scale[std::size_t(v)] = OPJ_INT32(v * m / 255);
    const std::size_t width = std::size_t(bitmap.width());
    DriveRows(bitmap.height(), bitmap.width(), [&](int y0, int y1) {
        for (int y = y0; y < y1; ++y) {
            const std::uint8_t* p = bitmap.scanLine(y);
            const std::size_t first = std::size_t(y) * width;
            if (colour) {
                OPJ_INT32* r = image.comps[0].data + first;
                OPJ_INT32* g = image.comps[1].data + first;
                OPJ_INT32* b = image.comps[2].data + first;
                for (std::size_t x = 0; x < width; ++x, p += 3) {
                    r[x] = scale[p[2]];
                    g[x] = scale[p[1]];
                    b[x] = scale[p[0]];
                }
            } else {
                OPJ_INT32* grey = image.comps[0].data + first;
                for (std::size_t x = 0; x < width; ++x, p += 3)
                    grey[x] = scale[std::size_t((21 * p[2] + 71 * p[1] + 8 * p[0]) / 100)];
            }
        }
    });
}

std::vector<std::uint8_t> compress(opj_image_t& image, opj_cparameters_t& params, bool codeStream, int threads,
                                   std::size_t rawSize)
{
    opj::CodecPtr codec = opj::CreateEncoder(codeStream ? OPJ_CODEC_J2K : OPJ_CODEC_JP2);
    opj::MemoryWriter writer;
    writer.bytes.reserve(rawSize / 2 + 4096);
    opj::StreamPtr stream = opj::WriteStream(writer);
    if (!codec || !stream || !opj_setup_encoder(codec.get(), &params, &image))
        throw EJpeg2kError("EncodeJpeg2k: Cannot set up the encoder");
    opj::SetThreads(codec.get(), threads);
    if (!opj_start_compress(codec.get(), &image, stream.get()) || !opj_encode(codec.get(), stream.get())
        || !opj_end_compress(codec.get(), stream.get()))
        throw EJpeg2kError("EncodeJpeg2k: The encoder failed");
    stream.reset();
    // Writes only ever extend the buffer, so its size is the end of the file.
    return std::move(writer.bytes);
}

} // namespace

std::vector<std::uint8_t> EncodeJpeg2k(const TBitmap& bitmap, const TJpeg2kInfo& info, bool codeStream)
{
    if (bitmap.empty())
        throw EJpeg2kError("EncodeJpeg2k: Image is empty");
    if (bitmap.bitCount() != 1 && bitmap.bitCount() != 24)
        return EncodeJpeg2k(bitmap.toTrueColor(), info, codeStream);
    const bool oneBit = bitmap.bitCount() == 1;
    const int precision = oneBit ? 1 : info.BitsPerSample;
    if (precision < 1 || precision > 16)
        throw EJpeg2kError("EncodeJpeg2k: Unsupported precision");
    const bool colour = !oneBit && info.ColorMode != 0;
    opj_cparameters_t params = encoderParameters(info, colour, bitmap.width(), bitmap.height());
    opj::ImagePtr image = createImage(bitmap.width(), bitmap.height(), precision, colour);
    if (oneBit)
        fillOneBit(bitmap, *image);
    else
        fillTrueColor(bitmap, *image, precision, colour);
    const std::size_t rawSize = std::size_t(bitmap.width()) * std::size_t(bitmap.height()) * (colour ? 3 : 1);
    return compress(*image, params, codeStream, info.Threads, rawSize);
}

} // namespace kalvo
