#pragma once
// The libraries' own command-line tools as references for the decoders: a tool writes a PPM or
// PAM picture, which is read back as the 24-bit bitmap Kalvo would show (alpha over white).
#include "image/Bitmap.h"

#include <string>

namespace kalvo::test {

// Runs a shell command; true when it exits with 0.
bool RunTool(const std::string& command);

// Reads a binary PPM (P6), PGM (P5) or PAM (P7 with 1 to 4 channels) of maxval 255 or 65535 as
// a 24-bit bitmap, alpha laid over white. 16-bit samples hold values of significantBits in their
// top bits (heif-convert writes 10-bit samples shifted left by 6), scaled to 8 bits by rounding.
// Throws std::runtime_error for anything else.
TBitmap ReadPnm(const std::string& fileName, int significantBits = 16);

} // namespace kalvo::test
