#pragma once
// The separable Gaussian blur as rows of unrounded values, shared by the blur and the unsharp
// mask: a horizontal pass per source row into a ring of rows, then a vertical pass per output
// row over the ring, both over contiguous runs of floats that the compiler turns into vector
// instructions.
#include "image/Bitmap.h"
#include "imaging/ProgressCallback.h"

#include <QRect>

#include <cstdint>
#include <functional>
#include <vector>

namespace kalvo {

inline constexpr double kMinBlurSigma = 0.1;
inline constexpr double kMaxBlurSigma = 100.0;

// The kernel's half-width for sigma (limited to 0.1..100): ceil(3 sigma).
int GaussianRadius(double sigma);
// The weights of offsets 0, 1, ..., radius (each also for -k): exp(-k^2 / (2 sigma^2)),
// normalised so that the 2 radius + 1 weights add up to 1.
std::vector<double> GaussianWeights(double sigma);

// Receives row y of the box with the blurred values of its pixels (3 per pixel in byte order,
// values[0] being the box's left pixel) and room for as many new bytes.
using TBlurredRow = std::function<void(int y, const float* values, std::uint8_t* bytes)>;

// The Gaussian blur B of a 24-bit bitmap over box (clipped to the bitmap), edges extended
// (coordinates clamped to the picture), handed to row for every row of the box: in increasing
// order within each of up to two bands that run on two threads. With inPlace, row may overwrite
// the box's part of its own row y: source rows are read before that or from a copy taken
// beforehand; without, row writes elsewhere and the bitmap is only read.
// progress receives the percentage of rows done before each row, from the calling thread.
// The passes add in single precision: B may differ from double arithmetic by about 1e-4 for
// the largest radius, so a value that rounds at .5 may come out one unit off.
void GaussianRows(const TBitmap& bitmap, const QRect& box, double sigma, const TProgressCallback& progress,
                  const TBlurredRow& row, bool inPlace = true);

// A value rounded to the nearest byte, ties to even, limited to 0..255 (in single precision, so
// that a row of them becomes vector instructions).
inline std::uint8_t RoundToByte(float v)
{
    v = v < 0.0f ? 0.0f : (v > 255.0f ? 255.0f : v);
    // Adding and taking away 1.5 * 2^23 rounds to an integer, ties to even (not an identity
    // without -ffast-math, so the compiler keeps both).
    constexpr float shift = 12582912.0f;
    return std::uint8_t(int((v + shift) - shift));
}

// RoundToByte of n values, sixteen at a time.
void RoundToBytes(const float* values, std::uint8_t* bytes, int n);

} // namespace kalvo
