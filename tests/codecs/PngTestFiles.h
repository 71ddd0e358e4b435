#pragma once
// PNG files for the tests, written and inspected with libpng directly (no transformations), and
// chunk-level editing for corrupt files.
#include <png.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kalvo::test {

struct TRawPng {
    int width = 0;
    int height = 0;
    int bitDepth = 8;
    int colorType = PNG_COLOR_TYPE_RGB;
    bool interlaced = false;
    std::vector<std::vector<std::uint8_t>> rows; // samples packed as PNG stores them
    std::vector<png_color> palette;
    std::vector<std::uint8_t> trnsAlpha;   // palette images
    std::optional<png_color_16> trnsColor; // grey and truecolour images
};

std::vector<std::uint8_t> EncodeRawPng(const TRawPng& png);
// Reads a PNG as stored (rows de-interlaced, samples untransformed). Throws on invalid data.
TRawPng DecodeRawPng(const std::vector<std::uint8_t>& bytes);

struct TChunk {
    std::string type;
    std::vector<std::uint8_t> data;
    std::uint32_t crc = 0; // as stored
};

std::vector<TChunk> ListChunks(const std::vector<std::uint8_t>& bytes);
// Signature and chunks with correct CRCs.
std::vector<std::uint8_t> BuildPng(const std::vector<TChunk>& chunks);
// The inflated image data of a non-interlaced PNG.
std::vector<std::uint8_t> InflatedImageData(const std::vector<std::uint8_t>& bytes);

} // namespace kalvo::test
