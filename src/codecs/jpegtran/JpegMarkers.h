#pragma once
// Byte-level helpers over a JPEG stream's header segments, for the lossless transformation.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace kalvo {

// The offset of the first start-of-image marker followed by another marker (FF D8 FF) among the
// first `window` byte positions of data, or nothing.
std::optional<std::size_t> FindJpegStart(std::span<const std::uint8_t> data, std::size_t window = 100);

// The complete comment segments (FF FE, length, text) found before the first scan, in order.
// Stops quietly at the first malformed segment.
std::vector<std::uint8_t> CollectCommentSegments(std::span<const std::uint8_t> jpeg);

// Where the TIFF structure of the first EXIF APP1 segment before the first scan lies in jpeg
// (offset and size), or nothing.
std::optional<std::pair<std::size_t, std::size_t>> FindExifBlock(std::span<const std::uint8_t> jpeg);

// A copy of jpeg with segments inserted right after the start-of-image marker and the JFIF or
// Adobe segments that follow it (where the library places copied markers); built in one pass.
// Without a start-of-image marker at the beginning, a plain copy.
std::vector<std::uint8_t> WithSegmentsAfterHeader(std::span<const std::uint8_t> jpeg,
                                                  std::span<const std::uint8_t> segments);

} // namespace kalvo
