// WebP encoding: the bitmap's BGR rows go to libwebp as cwebp hands it a picture (YUV for lossy,
// ARGB for lossless), and the encoded bytes stream straight into the file.
#include "codecs/webp/WebpCodec.h"
#include "codecs/webp/WebpLibrary.h"

#include <string>

namespace kalvo {

namespace {

std::string encodingErrorText(WebPEncodingError error)
{
    switch (error) {
    case VP8_ENC_ERROR_OUT_OF_MEMORY:
    case VP8_ENC_ERROR_BITSTREAM_OUT_OF_MEMORY: return "out of memory";
    case VP8_ENC_ERROR_BAD_WRITE: return "the file could not be written";
    case VP8_ENC_ERROR_FILE_TOO_BIG: return "the file would exceed 4 GiB";
    case VP8_ENC_ERROR_PARTITION0_OVERFLOW:
    case VP8_ENC_ERROR_PARTITION_OVERFLOW: return "the picture does not fit into a WebP partition";
    default: return "encoding failed";
    }
}

int writeToFile(const std::uint8_t* data, std::size_t size, const WebPPicture* picture)
{
    auto* out = static_cast<std::FILE*>(picture->custom_ptr);
    return size == 0 || std::fwrite(data, 1, size, out) == size;
}

// Frees libwebp's picture buffers on every way out.
struct TPicture {
    WebPPicture picture;
    TPicture()
    {
        if (!Webp().WebPPictureInitInternal(&picture, WEBP_ENCODER_ABI_VERSION))
            throw EWebpError("WebP: Library version mismatch");
    }
    ~TPicture() { Webp().WebPPictureFree(&picture); }
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;
};

} // namespace

void WriteWebp(const TBitmap& bitmap, const TWebpOptions& options, std::FILE* out)
{
    if (bitmap.empty())
        throw EWebpError("WebP: The image is empty");
    if (bitmap.width() > WEBP_MAX_DIMENSION || bitmap.height() > WEBP_MAX_DIMENSION)
        throw EWebpError("WebP: A side is longer than " + std::to_string(WEBP_MAX_DIMENSION) + " pixels");
    WebPConfig config;
    if (!Webp().WebPConfigInitInternal(&config, WEBP_PRESET_DEFAULT, 75.f, WEBP_ENCODER_ABI_VERSION))
        throw EWebpError("WebP: Library version mismatch");
    config.quality = float(options.quality);
    config.lossless = options.lossless ? 1 : 0;
    if (!Webp().WebPValidateConfig(&config))
        throw EWebpError("WebP: Invalid options");

    const TBitmap converted = bitmap.bitCount() == 24 ? TBitmap() : bitmap.toTrueColor();
    const TBitmap& source = bitmap.bitCount() == 24 ? bitmap : converted;
    TPicture picture;
    picture.picture.width = source.width();
    picture.picture.height = source.height();
    picture.picture.use_argb = config.lossless;
    if (!Webp().WebPPictureImportBGR(&picture.picture, source.bits(), int(source.stride())))
        throw EWebpError("WebP: out of memory");
    picture.picture.writer = writeToFile;
    picture.picture.custom_ptr = out;
    if (!Webp().WebPEncode(&config, &picture.picture))
        throw EWebpError("WebP: " + encodingErrorText(picture.picture.error_code));
}

} // namespace kalvo
