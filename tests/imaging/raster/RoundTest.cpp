// Round's two-instruction rounding must agree with nearbyint (ties to even) on every value.
#include "imaging/raster/PixelMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace kalvo;

TEST(Round, AgreesWithNearbyintOnTiesRandomValuesAndTheRangeEdges)
{
    for (int i = -200000; i <= 200000; ++i) {
        const double half = i / 2.0, near = i / 2.0 + 1e-9;
        ASSERT_EQ(Round(half), int(std::nearbyint(half))) << half;
        ASSERT_EQ(Round(near), int(std::nearbyint(near))) << near;
    }
    EXPECT_EQ(Round(0.5), 0);
    EXPECT_EQ(Round(1.5), 2);
    EXPECT_EQ(Round(-2.5), -2);
    EXPECT_EQ(Round(254.49999999999997), 254);
    std::mt19937_64 random(51);
    std::uniform_real_distribution<double> pixels(-300.0, 300.0), wide(-2e9, 2e9);
    for (int i = 0; i < 2000000; ++i) {
        const double a = pixels(random), b = wide(random);
        ASSERT_EQ(Round(a), int(std::nearbyint(a))) << a;
        ASSERT_EQ(Round(b), int(std::nearbyint(b))) << b;
    }
}
