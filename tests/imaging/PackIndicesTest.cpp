#include "imaging/quantize/PackIndices.h"
#include "image/PixelAccess.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace kalvo {
namespace {

TEST(PackIndices, MatchesPixelByPixelWritesAtEveryDepthAndWidth)
{
    for (int bitCount : {1, 4, 8})
        for (int width = 1; width <= 19; ++width) {
            std::vector<std::uint8_t> indices;
            for (int x = 0; x < width; ++x)
                indices.push_back(std::uint8_t((x * 7 + 3) % (1 << bitCount)));
            const std::size_t bytes = std::size_t((width * bitCount + 31) / 32 * 4);
            std::vector<std::uint8_t> expected(bytes, 0), packed(bytes, 0);
            for (int x = 0; x < width; ++x)
                PutPixelIndex(x, expected.data(), bitCount, indices[std::size_t(x)]);
            PackIndices(indices.data(), width, packed.data(), bitCount);
            EXPECT_EQ(packed, expected) << bitCount << " bits, width " << width;
        }
}

} // namespace
} // namespace kalvo
