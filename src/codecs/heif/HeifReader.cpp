// HEIF decoding: libheif converts the primary image (or a thumbnail) to interleaved RGB(A) of 8
// or 16 bits per sample, which becomes the bitmap's rows.
#include "codecs/heif/HeifCodec.h"
#include "codecs/heif/HeifLibrary.h"
#include "image/AlphaOverWhite.h"

#include <cctype>
#include <memory>
#include <string>
#include <vector>

namespace kalvo {

namespace {

void check(const heif_error& error, const char* what)
{
    if (error.code == heif_error_Ok)
        return;
    // libheif ends some messages with a line break, which would split kalvo-cli's one-line reason.
    std::string message = error.message ? error.message : "";
    while (!message.empty() && std::isspace(static_cast<unsigned char>(message.back())))
        message.pop_back();
    throw EHeifError(std::string("HEIF: ") + what + " (" + message + ")");
}

struct TFreeContext {
    void operator()(heif_context* p) const { Heif().heif_context_free(p); }
};
struct TReleaseHandle {
    void operator()(heif_image_handle* p) const { Heif().heif_image_handle_release(p); }
};
struct TReleaseImage {
    void operator()(heif_image* p) const { Heif().heif_image_release(p); }
};
struct TFreeOptions {
    void operator()(heif_decoding_options* p) const { Heif().heif_decoding_options_free(p); }
};
using TContext = std::unique_ptr<heif_context, TFreeContext>;
using THandle = std::unique_ptr<heif_image_handle, TReleaseHandle>;
using TImage = std::unique_ptr<heif_image, TReleaseImage>;

constexpr int kMaxSide = 32768;

TContext openContext(std::span<const std::uint8_t> data)
{
    TContext context(Heif().heif_context_alloc());
    if (!context)
        throw EHeifError("HEIF: out of memory");
    // libheif refuses larger pictures itself, before it allocates for them: images by their
    // 'ispe' size, and a grid by the output size its own data declares, which libheif 1.15 does
    // not compare with the 'ispe' (a 1.7 KB file with a 64766 x 6673 grid took 2.5 GB before the
    // decoded size was refused at the bitmap's bounds). libheif's own default side.
    Heif().heif_context_set_maximum_image_size_limit(context.get(), kMaxSide);
    check(Heif().heif_context_read_from_memory_without_copy(context.get(), data.data(), data.size(), nullptr),
          "Not a HEIF file");
    return context;
}

THandle primaryImage(const TContext& context)
{
    heif_image_handle* handle = nullptr;
    check(Heif().heif_context_get_primary_image_handle(context.get(), &handle), "No primary image");
    return THandle(handle);
}

void checkBounds(int width, int height)
{
    if (width <= 0 || height <= 0 || !TBitmap::fitsBounds(width, height, 24))
        throw EHeifError("HEIF: Image is too large or empty (" + std::to_string(width) + " x " + std::to_string(height)
                         + ")");
}

// A row of 16-bit samples holding values of the given bits, scaled to 8 bits.
void narrowRow(const std::uint8_t* in, int samples, int bits, std::uint8_t* out)
{
    const std::uint32_t maximum = (std::uint32_t(1) << bits) - 1;
    const auto* words = reinterpret_cast<const std::uint16_t*>(in);
    for (int i = 0; i < samples; ++i)
        out[i] = std::uint8_t((std::min<std::uint32_t>(words[i], maximum) * 255 + maximum / 2) / maximum);
}

TBitmap decode(const heif_image_handle* handle)
{
    checkBounds(Heif().heif_image_handle_get_width(handle), Heif().heif_image_handle_get_height(handle));
    const bool alpha = Heif().heif_image_handle_has_alpha_channel(handle) != 0;
    const int lumaBits = Heif().heif_image_handle_get_luma_bits_per_pixel(handle);
    const bool deep = lumaBits > 8;
    const heif_chroma chroma = deep ? (alpha ? heif_chroma_interleaved_RRGGBBAA_LE : heif_chroma_interleaved_RRGGBB_LE)
                                    : (alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB);
    std::unique_ptr<heif_decoding_options, TFreeOptions> options(Heif().heif_decoding_options_alloc());
    heif_image* decoded = nullptr;
    check(Heif().heif_decode_image(handle, &decoded, heif_colorspace_RGB, chroma, options.get()),
          "The image cannot be decoded");
    const TImage image(decoded);
    const int width = Heif().heif_image_get_width(image.get(), heif_channel_interleaved);
    const int height = Heif().heif_image_get_height(image.get(), heif_channel_interleaved);
    checkBounds(width, height);
    const int bits = Heif().heif_image_get_bits_per_pixel_range(image.get(), heif_channel_interleaved);
    int stride = 0;
    const std::uint8_t* plane = Heif().heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    if (!plane || bits < 1 || bits > 16)
        throw EHeifError("HEIF: The decoder gave no usable picture");

    TBitmap bitmap(width, height, 24);
    const int channels = alpha ? 4 : 3;
    std::vector<std::uint8_t> narrow(deep ? std::size_t(width) * channels : 0);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = plane + std::size_t(stride) * std::size_t(y);
        if (deep) {
            narrowRow(row, width * channels, bits, narrow.data());
            row = narrow.data();
        }
        if (alpha)
            RgbaRowOverWhite(row, width, bitmap.scanLine(y));
        else
            SwapRedBlueRow(row, width, bitmap.scanLine(y));
    }
    return bitmap;
}

// The smallest thumbnail of at least the asked size, if any.
THandle coveringThumbnail(const heif_image_handle* primary, int minWidth, int minHeight)
{
    const int count = Heif().heif_image_handle_get_number_of_thumbnails(primary);
    std::vector<heif_item_id> ids(std::size_t(std::max(count, 0)));
    Heif().heif_image_handle_get_list_of_thumbnail_IDs(primary, ids.data(), count);
    THandle best;
    for (const heif_item_id id : ids) {
        heif_image_handle* thumbnail = nullptr;
        if (Heif().heif_image_handle_get_thumbnail(primary, id, &thumbnail).code != heif_error_Ok)
            continue;
        THandle candidate(thumbnail);
        const int w = Heif().heif_image_handle_get_width(thumbnail), h = Heif().heif_image_handle_get_height(thumbnail);
        if (w >= minWidth && h >= minHeight
            && (!best
                || std::int64_t(w) * h < std::int64_t(Heif().heif_image_handle_get_width(best.get()))
                        * Heif().heif_image_handle_get_height(best.get())))
            best = std::move(candidate);
    }
    return best;
}

} // namespace

TDecodedImage ReadHeif(std::span<const std::uint8_t> data)
{
    const TContext context = openContext(data);
    const THandle handle = primaryImage(context);
    TDecodedImage result;
    result.bitmap = decode(handle.get());
    return result;
}

THeifPreview ReadHeifPreview(std::span<const std::uint8_t> data, const THeifShownSize& shownSize)
{
    const TContext context = openContext(data);
    const THandle handle = primaryImage(context);
    THeifPreview preview;
    preview.width = Heif().heif_image_handle_get_width(handle.get());
    preview.height = Heif().heif_image_handle_get_height(handle.get());
    const auto [minWidth, minHeight] = shownSize(preview.width, preview.height);
    const THandle thumbnail = coveringThumbnail(handle.get(), minWidth, minHeight);
    preview.bitmap = decode(thumbnail ? thumbnail.get() : handle.get());
    return preview;
}

} // namespace kalvo
