#pragma once
// The record exchanged with the JPEG 2000 decoder and encoder.
#include <cstdint>

namespace kalvo {

// Most samples (over all planes, palette planes included) a picture may have to be decoded;
// larger headers are refused before OpenJPEG allocates anything.
constexpr std::uint64_t kMaxJpeg2kSamples = std::uint64_t(1) << 28;

struct TJpeg2kInfo {
    int XDpi = 0; // decoding: pixels per inch assumed for display (96)
    int YDpi = 0;
    int BitsPerSample = 8;   // decoding: precision of the first colour component;
                             // encoding: precision of every component written (1..16)
    int SamplesPerPixel = 0; // decoding: 1 grey, 3 colour
    int Width = 0;           // decoding: the image size
    int Height = 0;
    std::uint8_t ColorMode = 1;                   // encoding: 0 grey (one component), 1 or 2 colour (three)
    double Rate = 1.0;                            // encoding: fraction of the uncompressed size; 1 or more is
                                                  // no limit, which with the reversible wavelet is lossless
    std::uint8_t Progression = 0;                 // encoding: 0 layer-resolution-component-position,
                                                  // 1 resolution-layer-component-position, other: the default
    int Threads = 0;                              // worker threads of the codec; 0 = one per core
    std::uint64_t MaxSamples = kMaxJpeg2kSamples; // decoding: the sample budget
    int ReduceFactor = 0;                         // decoding: resolution levels left out, each halving the
                                                  // size (fewer when the code stream has fewer levels)
};

} // namespace kalvo
