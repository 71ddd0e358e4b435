#pragma once
// Lossless JPEG transformation: rotates, flips, transposes or crops a JPEG file by moving its DCT
// coefficient blocks, without decoding, so that no quality is lost.
//
// The IJG rules apply: blocks in a partial iMCU strip along the right or bottom edge (width or
// height not a multiple of the iMCU size) are not mirrored unless Trim is on, which cuts them
// off instead; quantisation tables are transposed with the image.
#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace kalvo {

// Failures of the lossless transformation engine.
class EPXJpegException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Transformation codes.
constexpr int kJpegTransformNone = 0;
constexpr int kJpegTransformCrop = 1;
constexpr int kJpegTransformFlipHorizontal = 2;
constexpr int kJpegTransformFlipVertical = 3;
constexpr int kJpegTransformTranspose = 4;
constexpr int kJpegTransformTransverse = 5;
constexpr int kJpegTransformRotate90 = 6;
constexpr int kJpegTransformRotate180 = 7;
constexpr int kJpegTransformRotate270 = 8;

// Marker copy options.
constexpr int kJpegCopyNone = 0;
constexpr int kJpegCopyComments = 1;
constexpr int kJpegCopyAll = 2; // comments and APP0 to APP15

// Crop rectangle, inclusive coordinates (width = Right - Left + 1). The origin is moved left and
// up to the nearest iMCU boundary, growing the rectangle by the same amount.
struct TJpegCropRect {
    int Left = 0;
    int Top = 0;
    int Right = -1;
    int Bottom = -1;
};

struct TLosslessRequest {
    int Transform = kJpegTransformNone;
    TJpegCropRect CropRect;
    int CopyOption = kJpegCopyAll;
    bool Trim = false;
    bool ForceGray = false; // write YCbCr or grey input as one-component grey
};

// Transforms JPEG data held in memory. The data may begin with up to 99 bytes of junk before the
// start-of-image marker. Library warnings (a truncated file) are ignored; errors throw
// EPXJpegException ("Jpeg corrupted file: ..."), as does an image too large to handle.
std::vector<std::uint8_t> TransformJpegData(std::span<const std::uint8_t> data, const TLosslessRequest& request);
// The same, handing the result to consume while the library's buffer holds it (no copy; consume
// may change bytes in place).
void TransformJpegDataTo(std::span<const std::uint8_t> data, const TLosslessRequest& request,
                         const std::function<void(std::span<std::uint8_t>)>& consume);

// Reads sourceName, transforms it and writes destName, which appears only when complete (a
// temporary file in its directory is renamed over it). Returns true when destName was written.
// Never raises.
bool LosslessTransformFile(const std::string& sourceName, const std::string& destName, const TLosslessRequest& request);

// The same with the request's fields as arguments (trim off).
bool LosslessTransformFile(const std::string& sourceName, const std::string& destName, int transform,
                           const TJpegCropRect& cropRect, int copyOption, bool forceGray);

// Reads a whole file; EFileError when it cannot be opened or read.
std::vector<std::uint8_t> ReadJpegFileBytes(const std::string& fileName);
// Writes bytes to fileName (created or truncated); EFileError when not all bytes were written.
void WriteJpegFileBytes(const std::string& fileName, std::span<const std::uint8_t> bytes);

} // namespace kalvo
