#pragma once
// GIF files for the tests: a byte-level builder (so that malformed files can be made too) and an
// inspector over giflib's whole-file reader.
#include "image/Color.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kalvo::test {

// The layout of one image of a GIF file to build: its place, interlacing, maps, pixels, codes.
struct TGifFrameLayout {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool interlaced = false;
    std::vector<TColor> localMap;                       // none when empty
    std::vector<std::uint8_t> indices;                  // row-major, top row first
    std::optional<std::array<std::uint8_t, 4>> control; // graphic control extension bytes
    std::vector<int> rawCodes;                          // written instead of encoding indices when set
    int codeSize = 0;                                   // LZW minimum code size; 0 = from the colour map
};

// The layout of a whole GIF file: version, logical screen, global map and images in order.
struct TGifLayout {
    std::string version = "GIF89a";
    int width = 0;
    int height = 0;
    std::vector<TColor> globalMap; // none when empty
    std::vector<TGifFrameLayout> frames;
};

// Encodes the frames with literal codes only (a clear code keeps the code width fixed).
std::vector<std::uint8_t> BuildGif(const TGifLayout& layout);

struct TGifFrameFacts {
    int left = 0, top = 0, width = 0, height = 0;
    bool interlaced = false;
    std::vector<TColor> activeMap;
    std::vector<std::uint8_t> indices; // de-interlaced, row-major
    bool hasControl = false;
    bool transparentFlag = false;
    int transparentIndex = -1;
};

struct TGifFacts {
    std::string version;
    int width = 0, height = 0;
    std::vector<TColor> globalMap;
    std::vector<TGifFrameFacts> frames;
};

// Reads every frame with giflib; throws when giflib cannot.
TGifFacts InspectGif(const std::vector<std::uint8_t>& bytes);

} // namespace kalvo::test
