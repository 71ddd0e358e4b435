#include "codecs/jpegtran/LosslessReplace.h"

#include "codecs/AtomicFile.h"
#include "codecs/exif/ExifBlock.h"
#include "codecs/jpegtran/JpegMarkers.h"
#include "codecs/jpegtran/JpegSourceFile.h"
#include "codecs/jpegtran/LosslessTransform.h"
#include "image/ImageErrors.h"
#include "imaging/geometry/Orientation.h"

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

// The transformation codes beside the orientations they stand for.
constexpr std::pair<int, TOrientation> kCodeOrientations[] = {
    {kJpegTransformNone, TOrientation::Normal},
    {kJpegTransformFlipHorizontal, TOrientation::FlipHorizontal},
    {kJpegTransformFlipVertical, TOrientation::FlipVertical},
    {kJpegTransformTranspose, TOrientation::Transpose},
    {kJpegTransformTransverse, TOrientation::Transverse},
    {kJpegTransformRotate90, TOrientation::Rotate90},
    {kJpegTransformRotate180, TOrientation::Rotate180},
    {kJpegTransformRotate270, TOrientation::Rotate270},
};

// The transformation of the stored picture that gives the shown one transformed: first the
// stored EXIF orientation, then the one asked for. Other codes pass unchanged.
int TransformOfStoredPicture(std::span<const std::uint8_t> jpeg, int transform)
{
    const auto exif = FindExifBlock(jpeg);
    const int stored = exif ? ExifOrientation(jpeg.subspan(exif->first, exif->second)) : 1;
    if (stored == 1)
        return transform;
    for (const auto& [code, asked] : kCodeOrientations)
        if (code == transform) {
            const TOrientation both = ComposeOrientations(TOrientation(stored), asked);
            for (const auto& [result, orientation] : kCodeOrientations)
                if (orientation == both)
                    return result;
        }
    return transform;
}

} // namespace

void ReplaceJpegLossless(const std::string& linkOrFile, int transform, bool keepTimestamp)
{
    const std::string fileName = ResolvedPath(linkOrFile);
    struct stat st { };
    if (::stat(fileName.c_str(), &st) != 0)
        throw EFileError("Cannot open file \"" + fileName + "\": " + std::strerror(errno));
    // When the times cannot be read, the new file simply keeps the time of its creation.
    std::optional<timespec> modified;
    if (keepTimestamp)
        modified = st.st_mtim;

    const TJpegSourceFile source(fileName);
    TLosslessRequest request;
    request.Transform = TransformOfStoredPicture(source.bytes(), transform);
    request.CopyOption = kJpegCopyAll;
    TransformJpegDataTo(source.bytes(), request, [&](std::span<std::uint8_t> result) {
        // The copied EXIF block now describes a picture stored upright.
        if (const auto exif = FindExifBlock(result))
            PatchExifInPlace(result.subspan(exif->first, exif->second), 1);
        WriteFileAtomically(fileName, [&](const std::string& tempPath) {
            WriteJpegFileBytes(tempPath, result);
            if (modified) {
                const timespec times[2] = {{0, UTIME_OMIT}, *modified};
                if (::utimensat(AT_FDCWD, tempPath.c_str(), times, 0) != 0)
                    throw EFileError("Cannot set the time of \"" + fileName + "\": " + std::strerror(errno));
            }
        });
    });
}

int LosslessCodeForDialogItem(int itemIndex)
{
    static constexpr int kCodes[] = {kJpegTransformRotate90, kJpegTransformRotate180, kJpegTransformRotate270,
                                     kJpegTransformFlipVertical, kJpegTransformFlipHorizontal};
    return itemIndex >= 0 && itemIndex < 5 ? kCodes[itemIndex] : -1;
}

} // namespace kalvo
