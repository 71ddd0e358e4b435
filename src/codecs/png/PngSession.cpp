#include "codecs/png/PngSession.h"

#include "image/Bitmap.h"

#include <csetjmp>
#include <cstring>

namespace kalvo {

namespace png_detail {

bool RunGuarded(png_structp png, void (*step)(void*), void* context)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    step(context);
    return true;
}

} // namespace png_detail

namespace {

// Nothing is written to the state but the message; the jump lands in RunGuarded.
[[noreturn]] void onError(png_structp png, png_const_charp message)
{
    auto* state = static_cast<png_detail::TErrorState*>(png_get_error_ptr(png));
    std::strncpy(state->message, message ? message : "unknown error", sizeof state->message - 1);
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp)
{
}

void readFromSpan(png_structp png, png_bytep out, png_size_t length)
{
    auto* source = static_cast<png_detail::TByteSource*>(png_get_io_ptr(png));
    if (source->size - source->pos < length)
        png_error(png, "Unexpected end of file");
    std::memcpy(out, source->data + source->pos, length);
    source->pos += length;
}

void writeToFile(png_structp png, png_bytep data, png_size_t length)
{
    if (std::fwrite(data, 1, length, static_cast<std::FILE*>(png_get_io_ptr(png))) != length)
        png_error(png, "Write error");
}

void flushNothing(png_structp)
{
}

} // namespace

TPngReadSession::TPngReadSession(std::span<const std::uint8_t> data) : source_{data.data(), data.size(), 0}
{
    png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, &error_, onError, onWarning);
    if (!png_)
        throw EPngError("PNG: Cannot create the decoder");
    info_ = png_create_info_struct(png_);
    if (!info_) {
        png_destroy_read_struct(&png_, nullptr, nullptr);
        throw EPngError("PNG: Cannot create the decoder");
    }
    png_set_read_fn(png_, &source_, readFromSpan);
    // Nothing larger than a bitmap may hold, and bounded memory for ancillary chunks.
    png_set_user_limits(png_, TBitmap::kMaxDimension, TBitmap::kMaxDimension);
    png_set_chunk_cache_max(png_, 1000);
    png_set_chunk_malloc_max(png_, 16u << 20);
    // A CRC error in any chunk fails the load.
    png_set_crc_action(png_, PNG_CRC_ERROR_QUIT, PNG_CRC_ERROR_QUIT);
}

TPngReadSession::~TPngReadSession()
{
    png_destroy_read_struct(&png_, &info_, nullptr);
}

TPngWriteSession::TPngWriteSession(std::FILE* out)
{
    png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, &error_, onError, onWarning);
    if (!png_)
        throw EPngError("PNG: Cannot create the encoder");
    info_ = png_create_info_struct(png_);
    if (!info_) {
        png_destroy_write_struct(&png_, nullptr);
        throw EPngError("PNG: Cannot create the encoder");
    }
    png_set_write_fn(png_, out, writeToFile, flushNothing);
}

TPngWriteSession::~TPngWriteSession()
{
    png_destroy_write_struct(&png_, &info_);
}

} // namespace kalvo
