#include "codecs/tiff/TiffHandle.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdarg>
#include <cstring>

namespace kalvo {

namespace {

// The largest single buffer libtiff may take for itself (strip and tile buffers).
constexpr tmsize_t kMaxLibraryAllocation = tmsize_t(256) << 20;

int keepFirstError(TIFF*, void* user, const char* module, const char* format, va_list args)
{
    auto* messages = static_cast<TTiffHandle::TMessages*>(user);
    if (messages->firstError.empty()) {
        char text[256];
        std::vsnprintf(text, sizeof text, format, args);
        messages->firstError = std::string(module ? module : "TIFF") + ": " + text;
    }
    return 1;
}

int ignoreWarning(TIFF*, void*, const char*, const char*, va_list)
{
    return 1;
}

tmsize_t readSpan(thandle_t handle, void* buffer, tmsize_t size)
{
    auto* source = static_cast<TTiffHandle::TSource*>(handle);
    const std::size_t n = std::min(std::size_t(size), source->size - std::min(source->pos, source->size));
    std::memcpy(buffer, source->data + source->pos, n);
    source->pos += n;
    return tmsize_t(n);
}

tmsize_t refuseWrite(thandle_t, void*, tmsize_t)
{
    return -1;
}

toff_t seekSpan(thandle_t handle, toff_t offset, int whence)
{
    auto* source = static_cast<TTiffHandle::TSource*>(handle);
    const toff_t base = whence == SEEK_CUR ? source->pos : whence == SEEK_END ? source->size : 0;
    source->pos = std::size_t(base + offset);
    return source->pos;
}

toff_t spanSize(thandle_t handle)
{
    return static_cast<TTiffHandle::TSource*>(handle)->size;
}

// The span is libtiff's "mapped file": strips are read in place.
int mapSpan(thandle_t handle, void** base, toff_t* size)
{
    auto* source = static_cast<TTiffHandle::TSource*>(handle);
    *base = const_cast<std::uint8_t*>(source->data);
    *size = source->size;
    return 1;
}

void unmapNothing(thandle_t, void*, toff_t)
{
}

int closeNothing(thandle_t)
{
    return 0;
}

tmsize_t readFile(thandle_t handle, void* buffer, tmsize_t size)
{
    return tmsize_t(std::fread(buffer, 1, std::size_t(size), static_cast<std::FILE*>(handle)));
}

tmsize_t writeFile(thandle_t handle, void* buffer, tmsize_t size)
{
    return tmsize_t(std::fwrite(buffer, 1, std::size_t(size), static_cast<std::FILE*>(handle)));
}

toff_t seekFile(thandle_t handle, toff_t offset, int whence)
{
    auto* file = static_cast<std::FILE*>(handle);
    if (fseeko(file, off_t(offset), whence) != 0)
        return toff_t(-1);
    return toff_t(ftello(file));
}

toff_t fileSize(thandle_t handle)
{
    struct stat st { };
    auto* file = static_cast<std::FILE*>(handle);
    std::fflush(file);
    return fstat(fileno(file), &st) == 0 ? toff_t(st.st_size) : 0;
}

int mapNothing(thandle_t, void**, toff_t*)
{
    return 0;
}

} // namespace

TTiffHandle::TTiffHandle(std::span<const std::uint8_t> data)
{
    source_ = {data.data(), data.size(), 0};
    open("r", &source_, readSpan, refuseWrite, seekSpan, spanSize, mapSpan);
}

TTiffHandle::TTiffHandle(std::FILE* out)
{
    open("w", out, readFile, writeFile, seekFile, fileSize, mapNothing);
}

void TTiffHandle::open(const char* mode, thandle_t client, TIFFReadWriteProc read, TIFFReadWriteProc write,
                       TIFFSeekProc seek, TIFFSizeProc size, TIFFMapFileProc map)
{
    TIFFOpenOptions* options = Tiff().TIFFOpenOptionsAlloc();
    if (!options)
        throw ETiffError("TIFF: out of memory");
    Tiff().TIFFOpenOptionsSetMaxSingleMemAlloc(options, kMaxLibraryAllocation);
    Tiff().TIFFOpenOptionsSetErrorHandlerExtR(options, keepFirstError, &messages_);
    Tiff().TIFFOpenOptionsSetWarningHandlerExtR(options, ignoreWarning, nullptr);
    tiff_ = Tiff().TIFFClientOpenExt("kalvo", mode, client, read, write, seek, closeNothing, size, map, unmapNothing,
                                     options);
    Tiff().TIFFOpenOptionsFree(options);
    if (!tiff_)
        fail("Not a TIFF file");
}

TTiffHandle::~TTiffHandle()
{
    if (tiff_)
        Tiff().TIFFCleanup(tiff_);
}

void TTiffHandle::fail(const std::string& what) const
{
    throw ETiffError("TIFF: " + what + (messages_.firstError.empty() ? "" : " (" + messages_.firstError + ")"));
}

void TTiffHandle::finish()
{
    if (!Tiff().TIFFWriteDirectory(tiff_) || !Tiff().TIFFFlush(tiff_))
        fail("The file could not be written");
}

} // namespace kalvo
