#include "codecs/jpegtran/LosslessReplace.h"

#include "codecs/AtomicFile.h"
#include "codecs/jpegtran/JpegSourceFile.h"
#include "codecs/jpegtran/LosslessTransform.h"
#include "image/ImageErrors.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>

namespace kalvo {

namespace {

// The file a symbolic link leads to, so that the picture is replaced and the link kept.
std::string ResolvedPath(const std::string& fileName)
{
    char* resolved = ::realpath(fileName.c_str(), nullptr);
    if (!resolved)
        return fileName;
    std::string path(resolved);
    std::free(resolved);
    return path;
}

} // namespace

void ReplaceJpegLossless(const std::string& linkOrFile, int transform, bool keepTimestamp)
{
    const std::string fileName = ResolvedPath(linkOrFile);
    struct stat st {};
    if (::stat(fileName.c_str(), &st) != 0)
        throw EFileError("Cannot open file \"" + fileName + "\": " + std::strerror(errno));
    // When the times cannot be read, the new file simply keeps the time of its creation.
    std::optional<timespec> modified;
    if (keepTimestamp)
        modified = st.st_mtim;

    TLosslessRequest request;
    request.Transform = transform;
    request.CopyOption = kJpegCopyAll;
    const TJpegSourceFile source(fileName);
    TransformJpegDataTo(source.bytes(), request, [&](std::span<const std::uint8_t> result) {
        WriteFileAtomically(fileName, [&](const std::string& tempPath) {
            WriteJpegFileBytes(tempPath, result);
            if (modified) {
                const timespec times[2] = {{0, UTIME_OMIT}, *modified};
                if (::utimensat(AT_FDCWD, tempPath.c_str(), times, 0) != 0)
                    throw EFileError("Cannot set the time of \"" + fileName + "\": "
                                     + std::strerror(errno));
            }
        });
    });
}

int LosslessCodeForDialogItem(int itemIndex)
{
    static constexpr int kCodes[] = {kJpegTransformRotate90, kJpegTransformRotate180,
                                     kJpegTransformRotate270, kJpegTransformFlipVertical,
                                     kJpegTransformFlipHorizontal};
    return itemIndex >= 0 && itemIndex < 5 ? kCodes[itemIndex] : -1;
}

} // namespace kalvo
