#pragma once
// The image bitmap's own BMP reader and writer.
//
// The reader is the general one: BMP files with 12-, 40-, 52-, 56-, 64-, 108- and 124-byte
// headers; 1, 4, 8, 16, 24 and 32 bits; bit-field masks for 16 and 32 bits (which become 24-bit
// bitmaps); top-down rows; RLE8 and RLE4 data of any length, decoded from bfOffBits to the end of
// the file with the lenient rules of RleDecode.h (runs into the row padding, as some writers
// encode the padding bytes too, lose the pixels beyond the width). Sizes and counts are checked against
// the data before anything is allocated; every failure raises EInvalidGraphic (or
// ERleDecodeError for bad compressed data).
//
// The writer writes an uncompressed BMP in the bitmap's current pixel format.
#include "image/Bitmap.h"
#include "image/ByteBuffer.h"

#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace kalvo {

TBitmap ReadBmp(std::span<const std::uint8_t> data);
// Reads a BMP file; EFileError when it cannot be opened or read.
TBitmap ReadBmpFile(const std::string& fileName);

// Writes the complete BMP file (file header, information header, colour table, bottom-up rows).
void WriteBmp(const TBitmap& bitmap, std::ostream& out);
std::vector<std::uint8_t> BmpBytes(const TBitmap& bitmap);
// Writes the BMP file to fileName (created or truncated) straight from the bitmap's rows, with a
// few large writes; EFileError when it cannot be written completely.
void WriteBmpFile(const TBitmap& bitmap, const std::string& fileName);
// Appends the complete BMP file to out, with one copy of the pixel memory.
void AppendBmp(const TBitmap& bitmap, TByteBuffer& out);
// The total size of the BMP file at the start of data (its bfSize), or 0 when data does not start
// with a BMP file header.
std::size_t BmpFileSize(std::span<const std::uint8_t> data);

} // namespace kalvo
