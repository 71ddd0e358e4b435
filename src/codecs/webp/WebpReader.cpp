// WebP decoding through libwebp's advanced interface, straight into the bitmap's rows when the
// picture has no alpha, through one BGRA buffer laid over white when it has.
#include "codecs/webp/WebpCodec.h"
#include "codecs/webp/WebpLibrary.h"
#include "image/AlphaOverWhite.h"

#include <string>
#include <vector>

namespace kalvo {

namespace {

std::string statusText(VP8StatusCode status)
{
    switch (status) {
    case VP8_STATUS_OUT_OF_MEMORY: return "out of memory";
    case VP8_STATUS_INVALID_PARAM: return "invalid parameter";
    case VP8_STATUS_BITSTREAM_ERROR: return "damaged data";
    case VP8_STATUS_UNSUPPORTED_FEATURE: return "unsupported feature";
    case VP8_STATUS_NOT_ENOUGH_DATA: return "the file is truncated";
    default: return "decoding failed";
    }
}

WebPBitstreamFeatures readFeatures(std::span<const std::uint8_t> data)
{
    WebPBitstreamFeatures features;
    const VP8StatusCode status = Webp().WebPGetFeaturesInternal(data.data(), data.size(), &features,
                                                                WEBP_DECODER_ABI_VERSION);
    if (status != VP8_STATUS_OK)
        throw EWebpError("WebP: Not a WebP picture (" + statusText(status) + ")");
    if (features.has_animation)
        throw EWebpError("WebP: Animated pictures are not supported");
    if (!TBitmap::fitsBounds(features.width, features.height, 24))
        throw EWebpError("WebP: Image is too large (" + std::to_string(features.width) + " x "
                         + std::to_string(features.height) + ")");
    return features;
}

// Decodes into caller memory of the given stride, scaled when the size differs from the
// picture's own.
void decodeInto(std::span<const std::uint8_t> data, const WebPBitstreamFeatures& features, WEBP_CSP_MODE mode,
                int width, int height, std::uint8_t* out, std::size_t stride)
{
    WebPDecoderConfig config;
    if (!Webp().WebPInitDecoderConfigInternal(&config, WEBP_DECODER_ABI_VERSION))
        throw EWebpError("WebP: Library version mismatch");
    config.input = features;
    if (width != features.width || height != features.height) {
        config.options.use_scaling = 1;
        config.options.scaled_width = width;
        config.options.scaled_height = height;
    }
    // libwebp's second thread reconstructs, filters and emits the lossy rows while the calling
    // thread reads the next ones (same pixels); lossless pictures ignore it.
    config.options.use_threads = 1;
    config.output.colorspace = mode;
    config.output.is_external_memory = 1;
    config.output.u.RGBA.rgba = out;
    config.output.u.RGBA.stride = int(stride);
    config.output.u.RGBA.size = stride * std::size_t(height);
    const VP8StatusCode status = Webp().WebPDecode(data.data(), data.size(), &config);
    Webp().WebPFreeDecBuffer(&config.output);
    if (status != VP8_STATUS_OK)
        throw EWebpError("WebP: " + statusText(status));
}

TBitmap decodeBitmap(std::span<const std::uint8_t> data, const WebPBitstreamFeatures& features, int width, int height)
{
    TBitmap bitmap(width, height, 24);
    if (!features.has_alpha) {
        decodeInto(data, features, MODE_BGR, width, height, bitmap.bits(), bitmap.stride());
        return bitmap;
    }
    const std::size_t stride = std::size_t(width) * 4;
    std::vector<std::uint8_t> bgra(stride * std::size_t(height));
    decodeInto(data, features, MODE_BGRA, width, height, bgra.data(), stride);
    for (int y = 0; y < height; ++y)
        BgraRowOverWhite(bgra.data() + stride * std::size_t(y), width, bitmap.scanLine(y));
    return bitmap;
}

} // namespace

TWebpSize ReadWebpSize(std::span<const std::uint8_t> data)
{
    const WebPBitstreamFeatures features = readFeatures(data);
    return {features.width, features.height};
}

TDecodedImage ReadWebp(std::span<const std::uint8_t> data)
{
    const WebPBitstreamFeatures features = readFeatures(data);
    TDecodedImage result;
    result.bitmap = decodeBitmap(data, features, features.width, features.height);
    return result;
}

TBitmap ReadWebpScaled(std::span<const std::uint8_t> data, int width, int height)
{
    const WebPBitstreamFeatures features = readFeatures(data);
    if (!TBitmap::fitsBounds(width, height, 24))
        throw EWebpError("WebP: Scaled size out of bounds");
    return decodeBitmap(data, features, width, height);
}

} // namespace kalvo
