#pragma once
// The TIFF codec over libtiff: decoding the first page of a TIFF file (palette and grey of 1, 2,
// 4, 8 or 16 bits, RGB of 8 or 16 bits, strips or tiles, any compression libtiff decodes) and
// encoding a bitmap as a Deflate-compressed TIFF.
#include "codecs/CodecRoutines.h"
#include "image/Bitmap.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <span>
#include <stdexcept>

namespace kalvo {

// Any failure of the TIFF codec: not a TIFF file, damaged or truncated data, a kind of picture
// libtiff cannot turn into colours, sizes beyond the bitmap's bounds or beyond what the file's
// data can hold, write errors. The message is libtiff's first complaint when it made one.
class ETiffError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Decodes the first page. Palette pictures of 1, 4 and 8 bits keep their depth and colours (2-bit
// ones become 4-bit); grey pictures of up to 8 bits become palette pictures of a grey ramp, 16-bit
// grey an 8-bit ramp; everything else a 24-bit bitmap, 16-bit samples scaled to 8 bits, alpha
// laid over white. No load properties. Throws ETiffError.
TDecodedImage ReadTiff(std::span<const std::uint8_t> data);

struct TTiffPreview {
    int width = 0; // of the first page
    int height = 0;
    TBitmap bitmap; // the shown rows (or all of them) at the page's full or a reduced width
};

struct TTiffShownSize {
    int width = 0;
    int height = 0;
};

// The size a page of the given size is shown at.
using TTiffShownSizeOf = std::function<TTiffShownSize(int width, int height)>;

// For the preview: the first page with as many rows as it is shown with, each the row in the
// middle of its share of the height (a point sample), decoding only the strips or rows of tiles
// that hold them. Rows are at the page's full width, except in JPEG-compressed pages, which are
// decoded (past libtiff) at the smallest eighth of their size that still covers the shown size.
// Other pages libtiff converts to colours, and pages shown with all their rows, are read whole.
// Throws ETiffError.
TTiffPreview ReadTiffPreview(std::span<const std::uint8_t> data, const TTiffShownSizeOf& shownSize);

// Writes the bitmap as one Deflate-compressed page: palette bitmaps as palette pictures of their
// depth, the others as 8-bit RGB (16- and 32-bit ones converted). Throws ETiffError.
void WriteTiff(const TBitmap& bitmap, std::FILE* out);

} // namespace kalvo
