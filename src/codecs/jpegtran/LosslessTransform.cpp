#include "codecs/jpegtran/LosslessTransform.h"

#include "codecs/AtomicFile.h"
#include "codecs/jpegtran/JpegMarkers.h"
#include "codecs/jpegtran/JpegSourceFile.h"
#include "image/Bitmap.h"
#include "image/ImageErrors.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include <turbojpeg.h>

namespace kalvo {

namespace {

struct TjHandleDeleter {
    void operator()(void* handle) const { tjDestroy(handle); }
};
using TjHandle = std::unique_ptr<void, TjHandleDeleter>;

struct TjBufferDeleter {
    void operator()(unsigned char* buffer) const { tjFree(buffer); }
};
using TjBuffer = std::unique_ptr<unsigned char, TjBufferDeleter>;

[[noreturn]] void corrupted(const std::string& detail)
{
    throw EPXJpegException("Jpeg corrupted file: " + detail);
}

int operationFor(int transform)
{
    switch (transform) {
    case kJpegTransformNone:
    case kJpegTransformCrop: return TJXOP_NONE;
    case kJpegTransformFlipHorizontal: return TJXOP_HFLIP;
    case kJpegTransformFlipVertical: return TJXOP_VFLIP;
    case kJpegTransformTranspose: return TJXOP_TRANSPOSE;
    case kJpegTransformTransverse: return TJXOP_TRANSVERSE;
    case kJpegTransformRotate90: return TJXOP_ROT90;
    case kJpegTransformRotate180: return TJXOP_ROT180;
    case kJpegTransformRotate270: return TJXOP_ROT270;
    default: throw EPXJpegException("Unknown lossless transformation " + std::to_string(transform));
    }
}

// The crop region with its origin moved to the iMCU grid, as the IJG rules have it.
tjregion cropRegion(const TJpegCropRect& rect, int subsamp)
{
    const int width = rect.Right - rect.Left + 1;
    const int height = rect.Bottom - rect.Top + 1;
    if (rect.Left < 0 || rect.Top < 0 || width <= 0 || height <= 0)
        throw EPXJpegException("Invalid crop rectangle");
    const int mcuWidth = tjMCUWidth[subsamp];
    const int mcuHeight = tjMCUHeight[subsamp];
    tjregion r{};
    r.x = rect.Left - rect.Left % mcuWidth;
    r.y = rect.Top - rect.Top % mcuHeight;
    r.w = width + (rect.Left - r.x);
    r.h = height + (rect.Top - r.y);
    return r;
}

// The frame header's dimensions and subsampling.
struct TFrame {
    int width = 0;
    int height = 0;
    int subsamp = 0;
};

// Reads the frame header and refuses images whose coefficients would not fit in memory.
TFrame checkedFrame(void* handle, std::span<const std::uint8_t> jpeg)
{
    TFrame frame;
    int colorspace = 0;
    if (tjDecompressHeader3(handle, jpeg.data(), static_cast<unsigned long>(jpeg.size()), &frame.width, &frame.height,
                            &frame.subsamp, &colorspace)
        != 0)
        corrupted(tjGetErrorStr2(handle));
    if (!TBitmap::fitsBounds(frame.width, frame.height, 24))
        throw EPXJpegException("Image is too large (" + std::to_string(frame.width) + " x "
                               + std::to_string(frame.height) + ")");
    return frame;
}

// An output buffer that the library fills without growing it (TJFLAG_NOREALLOC), so that the result
// is written once and never copied. The library bounds its writes by the worst-case size of the
// source dimensions, or of the crop region when cropping; the size here is at least that either way
// round, plus the whole source for copied markers. Only the pages written are ever touched. Null
// when the size does not fit an allocation.
TjBuffer worstCaseBuffer(const TFrame& frame, const tjtransform& xform, std::size_t sourceSize, unsigned long& capacity)
{
    const int subsamp = frame.subsamp >= 0 ? frame.subsamp : TJSAMP_444;
    const auto bothWays = [subsamp](int w, int h) {
        return std::max(tjBufSize(w, h, subsamp), tjBufSize(h, w, subsamp));
    };
    capacity = bothWays(frame.width, frame.height);
    if (xform.options & TJXOPT_CROP)
        capacity = std::max(capacity, bothWays(xform.r.w, xform.r.h));
    // tjBufSize reports an error as (unsigned long)-1, which fails this test too.
    constexpr unsigned long kLimit = std::numeric_limits<int>::max();
    if (capacity > kLimit || sourceSize > kLimit - capacity)
        return nullptr;
    capacity += sourceSize;
    return TjBuffer(tjAlloc(static_cast<int>(capacity)));
}

// One transformation into out (kept as it is under TJFLAG_NOREALLOC, otherwise allocated or grown
// by the library). A warning, such as a premature end of data, still yields a complete file.
bool transformInto(void* handle, std::span<const std::uint8_t> jpeg, tjtransform& xform, unsigned char*& out,
                   unsigned long& outSize, int flags)
{
    const int rc = tjTransform(handle, jpeg.data(), static_cast<unsigned long>(jpeg.size()), 1, &out, &outSize, &xform,
                               TJFLAG_LIMITSCANS | flags);
    return (rc == 0 || tjGetErrorCode(handle) == TJERR_WARNING) && out && outSize > 0;
}

} // namespace

void TransformJpegDataTo(std::span<const std::uint8_t> data, const TLosslessRequest& request,
                         const std::function<void(std::span<std::uint8_t>)>& consume)
{
    const auto start = FindJpegStart(data);
    if (!start)
        corrupted("no start of image within the first 100 bytes");
    const std::span<const std::uint8_t> jpeg = data.subspan(*start);

    TjHandle handle(tjInitTransform());
    if (!handle)
        throw EPXJpegException(tjGetErrorStr2(nullptr));
    const TFrame frame = checkedFrame(handle.get(), jpeg);

    tjtransform xform{};
    xform.op = operationFor(request.Transform);
    if (request.Transform == kJpegTransformCrop) {
        xform.r = cropRegion(request.CropRect, frame.subsamp);
        xform.options |= TJXOPT_CROP;
    }
    if (request.Trim)
        xform.options |= TJXOPT_TRIM;
    if (request.ForceGray)
        xform.options |= TJXOPT_GRAY;
    if (request.CopyOption != kJpegCopyAll)
        xform.options |= TJXOPT_COPYNONE;

    unsigned long outSize = 0;
    TjBuffer buffer = worstCaseBuffer(frame, xform, jpeg.size(), outSize);
    unsigned char* out = buffer.get();
    // Markers much larger than a small picture can exceed the worst case; that attempt fails and
    // the library then grows a buffer of its own (a corrupt file simply fails twice).
    if (!out || !transformInto(handle.get(), jpeg, xform, out, outSize, TJFLAG_NOREALLOC)) {
        buffer.reset();
        out = nullptr;
        outSize = 0;
        const bool done = transformInto(handle.get(), jpeg, xform, out, outSize, 0);
        buffer.reset(out);
        if (!done)
            corrupted(tjGetErrorStr2(handle.get()));
    }
    if (request.CopyOption != kJpegCopyComments) {
        consume({out, outSize});
        return;
    }
    std::vector<std::uint8_t> withComments = WithSegmentsAfterHeader({out, outSize}, CollectCommentSegments(jpeg));
    consume(withComments);
}

std::vector<std::uint8_t> TransformJpegData(std::span<const std::uint8_t> data, const TLosslessRequest& request)
{
    std::vector<std::uint8_t> result;
    TransformJpegDataTo(data, request,
                        [&](std::span<const std::uint8_t> bytes) { result.assign(bytes.begin(), bytes.end()); });
    return result;
}

std::vector<std::uint8_t> ReadJpegFileBytes(const std::string& fileName)
{
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw EFileError("Cannot open file \"" + fileName + "\": " + std::strerror(errno));
    struct stat st { };
    const std::size_t expected = ::fstat(fd, &st) == 0 && st.st_size > 0 ? std::size_t(st.st_size) : 0;
    // Reads straight into the vector; one spare byte shows whether the file grew meanwhile.
    std::vector<std::uint8_t> bytes(expected + 1);
    std::size_t used = 0;
    for (;;) {
        if (used == bytes.size())
            bytes.resize(bytes.size() + 65536);
        const ssize_t got = ::read(fd, bytes.data() + used, bytes.size() - used);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int err = errno;
            ::close(fd);
            throw EFileError("Cannot read file \"" + fileName + "\": " + std::strerror(err));
        }
        if (got == 0)
            break;
        used += std::size_t(got);
    }
    ::close(fd);
    bytes.resize(used);
    return bytes;
}

void WriteJpegFileBytes(const std::string& fileName, std::span<const std::uint8_t> bytes)
{
    const int fd = ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        throw EFileError("Cannot create file \"" + fileName + "\": " + std::strerror(errno));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            const int err = put < 0 ? errno : ENOSPC;
            ::close(fd);
            throw EFileError("Cannot write file \"" + fileName + "\": " + std::strerror(err));
        }
        done += std::size_t(put);
    }
    if (::close(fd) != 0)
        throw EFileError("Cannot write file \"" + fileName + "\": " + std::strerror(errno));
}

bool LosslessTransformFile(const std::string& sourceName, const std::string& destName, const TLosslessRequest& request)
{
    try {
        const TJpegSourceFile source(sourceName);
        TransformJpegDataTo(source.bytes(), request, [&](std::span<const std::uint8_t> result) {
            WriteFileAtomically(destName, [&](const std::string& tempPath) { WriteJpegFileBytes(tempPath, result); });
        });
        return true;
    } catch (...) {
        return false;
    }
}

bool LosslessTransformFile(const std::string& sourceName, const std::string& destName, int transform,
                           const TJpegCropRect& cropRect, int copyOption, bool forceGray)
{
    TLosslessRequest request;
    request.Transform = transform;
    request.CropRect = cropRect;
    request.CopyOption = copyOption;
    request.ForceGray = forceGray;
    return LosslessTransformFile(sourceName, destName, request);
}

} // namespace kalvo
