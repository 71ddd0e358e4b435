// The JPEG 2000 encoder's sample fill (a look-up table, rows on two threads) writes exactly the
// code streams it wrote as a per-sample division: hashes recorded from the earlier encoder, for
// odd sizes, grey and colour, every precision class.
#include "codecs/jpeg2000/Jpeg2kEncode.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using namespace kalvo;

namespace {

std::uint64_t Fnv(const std::vector<std::uint8_t>& bytes)
{
    std::uint64_t h = 1469598103934665603ull;
    for (std::uint8_t c : bytes) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

struct TGolden {
    int Width, Height, ColorMode, Bits;
    std::uint64_t Hash;
};

const TGolden kGolden[] = {
    {1, 1, 0, 1, 0xff6b6b67d8a8d2f0ull},     {1, 1, 0, 5, 0x0e5c3d02cf8bfe49ull},
    {1, 1, 0, 8, 0x4157a21f09208203ull},     {1, 1, 0, 12, 0xe4c0ef07f48a4ac6ull},
    {1, 1, 0, 16, 0x24a9297d715fe3a5ull},    {1, 1, 1, 1, 0x043b0d15a444bd5bull},
    {1, 1, 1, 5, 0x37e934482b55d7e7ull},     {1, 1, 1, 8, 0xf061290702fd0bd0ull},
    {1, 1, 1, 12, 0xc6c073f6e79921c2ull},    {1, 1, 1, 16, 0xb75f44020659bc68ull},
    {3, 2, 0, 1, 0x74ecb51d64a956eaull},     {3, 2, 0, 5, 0x2691bf97344b5b4cull},
    {3, 2, 0, 8, 0x638031ae03e9d7e2ull},     {3, 2, 0, 12, 0xaf8cc573319907f1ull},
    {3, 2, 0, 16, 0x04bbbd1723d6cf8cull},    {3, 2, 1, 1, 0x9fae086f220c6487ull},
    {3, 2, 1, 5, 0xa50a63221e9240f6ull},     {3, 2, 1, 8, 0x64087972064a2938ull},
    {3, 2, 1, 12, 0xa75f695f1819d2b2ull},    {3, 2, 1, 16, 0xd49ed832858a2681ull},
    {17, 5, 0, 1, 0xb76601ae9739e44dull},    {17, 5, 0, 5, 0xc2abc762d2456eb7ull},
    {17, 5, 0, 8, 0x9633ff9b99afbf26ull},    {17, 5, 0, 12, 0x44ac3221694ee9e0ull},
    {17, 5, 0, 16, 0x991dbbbabdf1483bull},   {17, 5, 1, 1, 0x905f802f1e82972bull},
    {17, 5, 1, 5, 0xa364bb6799530cb5ull},    {17, 5, 1, 8, 0x3eddbc90a75654afull},
    {17, 5, 1, 12, 0x8544f73ea1dbc98dull},   {17, 5, 1, 16, 0x8740275f4ec5c033ull},
    {1001, 7, 0, 1, 0x3e367cb3d44936d5ull},  {1001, 7, 0, 5, 0x6bcc9919e1a4c6c3ull},
    {1001, 7, 0, 8, 0x806f40cb0e52d0eeull},  {1001, 7, 0, 12, 0x849548ebdb4d7b4bull},
    {1001, 7, 0, 16, 0x2044fc5fd701f019ull}, {1001, 7, 1, 1, 0x0eb805f9d5e90386ull},
    {1001, 7, 1, 5, 0x00018951b0623970ull},  {1001, 7, 1, 8, 0x2b0f0c4562171ccdull},
    {1001, 7, 1, 12, 0x5e0b7515f7f25a2aull}, {1001, 7, 1, 16, 0x12d0e4b1facebe39ull},
    {64, 64, 0, 1, 0x672fe11c0c8dd27bull},   {64, 64, 0, 5, 0xebd8a72ce10cd963ull},
    {64, 64, 0, 8, 0x7f1a427a324ea921ull},   {64, 64, 0, 12, 0x2270c7d86b54b9feull},
    {64, 64, 0, 16, 0x52819e269ba2f40full},  {64, 64, 1, 1, 0x6aed31fc53243b00ull},
    {64, 64, 1, 5, 0x3ae29de7ee5a1276ull},   {64, 64, 1, 8, 0x2dc92851d7c6812cull},
    {64, 64, 1, 12, 0xda0d7b934dd34608ull},  {64, 64, 1, 16, 0xa7f025b17ce6a6f6ull},
    {331, 257, 0, 8, 0xb99f174fb5c012f7ull}, {331, 257, 0, 12, 0xc73a5fa3bfd8f74dull},
    {331, 257, 1, 8, 0xf2d1f4f62165ab92ull}, {331, 257, 1, 12, 0x5cc6e3b2a54863b2ull},
};

} // namespace

TEST(Jpeg2kEncodeGolden, CodeStreamsEqualTheEarlierEncoderByteForByte)
{
    for (const TGolden& g : kGolden) {
        TBitmap bitmap(g.Width, g.Height, 24);
        for (int y = 0; y < g.Height; ++y)
            for (std::size_t i = 0; i < bitmap.stride(); ++i)
                bitmap.scanLine(y)[i] = std::uint8_t(i * 37 + std::size_t(y) * 101 + (i * i >> 3));
        TJpeg2kInfo info;
        info.ColorMode = std::uint8_t(g.ColorMode);
        info.BitsPerSample = g.Bits;
        EXPECT_EQ(Fnv(EncodeJpeg2k(bitmap, info, true)), g.Hash)
            << g.Width << "x" << g.Height << " mode " << g.ColorMode << " bits " << g.Bits;
    }
}
