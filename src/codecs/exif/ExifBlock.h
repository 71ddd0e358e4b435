#pragma once
// EXIF data as a JPEG's APP1 marker and a PNG's eXIf chunk carry it: a TIFF structure (byte-order
// mark, the main directory with its Exif, GPS and interoperability sub-directories, and a second
// directory for the thumbnail). The block comes from outside: every offset and count is checked
// against it before use, and a block that does not hold together is reported as malformed rather
// than half used.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kalvo {

// A JPEG APP1 payload that holds EXIF starts with these bytes, followed by the TIFF structure.
inline constexpr std::array<std::uint8_t, 6> kExifMarkerPrefix = {'E', 'x', 'i', 'f', 0, 0};

// Directories followed at most; real files have five.
inline constexpr int kMaxExifDirectories = 16;

// True when the block is a TIFF structure whose directories and values all lie inside it.
bool IsWellFormedExif(std::span<const std::uint8_t> tiff);

// The orientation tag (1..8) of a well-formed block; 1 when the block is malformed, has no such
// tag, or holds another value.
int ExifOrientation(std::span<const std::uint8_t> tiff);

// The block to write with a saved picture of width x height that is stored upright: orientation
// set to 1, the picture size tags set to the new size, the thumbnail directory unlinked and its
// bytes cut off (or cleared when other data follows them). Nothing when the block is malformed,
// or when the result would not read back as well formed (directories that overlap).
std::optional<std::vector<std::uint8_t>> ExifForSavedPicture(std::span<const std::uint8_t> tiff, int width, int height);

// Sets the orientation tag of a well-formed block in place (other bytes unchanged) and, when
// width and height are positive, the picture size tags; the block keeps its length. False, with
// the block unchanged, when it is malformed or would be after the change.
bool PatchExifInPlace(std::span<std::uint8_t> tiff, int orientation, int width = 0, int height = 0);

} // namespace kalvo
