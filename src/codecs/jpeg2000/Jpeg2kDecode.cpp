#include "codecs/jpeg2000/Jpeg2kDecode.h"

#include "codecs/jpeg2000/Jpeg2kSignature.h"
#include "codecs/jpeg2000/Jpeg2kToBitmap.h"
#include "codecs/jpeg2000/OpjGlue.h"

#include <algorithm>

namespace kalvo {

namespace {

std::uint64_t planeSamples(std::uint32_t start, std::uint32_t end, std::uint32_t step)
{
    const auto ceilDiv = [step](std::uint64_t v) { return (v + step - 1) / step; };
    return ceilDiv(end) - ceilDiv(start);
}

// The size, planes and precisions of the header stay within what the bitmap and the sample
// budget allow.
bool acceptableHeader(const opj_image_t& image, int paletteColumns)
{
    if (image.x1 <= image.x0 || image.y1 <= image.y0 || image.numcomps == 0 || !image.comps)
        return false;
    const std::uint64_t width = image.x1 - image.x0;
    const std::uint64_t height = image.y1 - image.y0;
    const bool oneBit = image.numcomps == 1 && paletteColumns == 0 && image.comps[0].prec == 1;
    if (width > std::uint64_t(TBitmap::kMaxDimension) || height > std::uint64_t(TBitmap::kMaxDimension)
        || !TBitmap::fitsBounds(int(width), int(height), oneBit ? 1 : 24))
        return false;
    std::uint64_t samples = 0;
    std::uint64_t largest = 0;
    for (std::uint32_t c = 0; c < image.numcomps; ++c) {
        const opj_image_comp_t& comp = image.comps[c];
        if (comp.dx == 0 || comp.dy == 0 || comp.prec == 0 || comp.prec > 31)
            return false;
        const std::uint64_t n = planeSamples(image.x0, image.x1, comp.dx)
            * planeSamples(image.y0, image.y1, comp.dy);
        samples += n;
        largest = std::max(largest, n);
        if (samples > kMaxJpeg2kSamples)
            return false;
    }
    return samples + std::uint64_t(paletteColumns) * largest <= kMaxJpeg2kSamples;
}

opj::ImagePtr decodeImage(std::span<const std::uint8_t> data, TJpeg2kFormat format, int threads)
{
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
    opj::SetThreads(codec.get(), threads);
    opj_image_t* raw = nullptr;
    const bool headerRead = opj_read_header(stream.get(), codec.get(), &raw);
    opj::ImagePtr image(raw);
    const int paletteColumns = format == TJpeg2kFormat::Jp2 ? Jp2PaletteColumns(data) : 0;
    if (!headerRead || !image || !acceptableHeader(*image, paletteColumns))
        return {};
    if (!opj_decode(codec.get(), stream.get(), image.get())
        || !opj_end_decompress(codec.get(), stream.get()))
        return {};
    return image;
}

} // namespace

TBitmap DecodeJpeg2k(std::span<const std::uint8_t> data, TJpeg2kInfo& info)
{
    const TJpeg2kFormat format = DetectJpeg2kFormat(data);
    if (format == TJpeg2kFormat::None)
        return {};
    const opj::ImagePtr image = decodeImage(data, format, info.Threads);
    if (!image)
        return {};
    return ImageToBitmap(*image, info);
}

} // namespace kalvo
