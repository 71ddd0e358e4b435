#include "canvas/ZoomSteps.h"

#include <gtest/gtest.h>

#include <vector>

namespace kalvo {
namespace {

std::vector<int> Walk(int from, int (*step)(int), int count)
{
    std::vector<int> seen;
    for (int z = from, i = 0; i < count; ++i)
        seen.push_back(z = step(z));
    return seen;
}

TEST(ZoomSteps, InFromOneClimbsTheListedStepsAndStopsAt3000)
{
    std::vector<int> expected = {10, 15, 20, 25, 33, 50, 75, 100, 150};
    for (int z = 200; z <= 3000; z += 100)
        expected.push_back(z);
    expected.push_back(3000);
    EXPECT_EQ(Walk(1, ZoomStepIn, int(expected.size())), expected);
}

TEST(ZoomSteps, OutFrom3000DescendsAndStopsAt10)
{
    std::vector<int> expected;
    for (int z = 2900; z >= 300; z -= 100)
        expected.push_back(z);
    for (int z : {200, 150, 100, 75, 50, 33, 25, 20, 15, 10, 10})
        expected.push_back(z);
    EXPECT_EQ(Walk(3000, ZoomStepOut, int(expected.size())), expected);
}

TEST(ZoomSteps, ValuesBetweenStepsGoToTheNeighbouringStep)
{
    EXPECT_EQ(ZoomStepOut(437), 400);
    EXPECT_EQ(ZoomStepOut(7), 7);
    EXPECT_EQ(ZoomStepOut(12), 10);
    EXPECT_EQ(ZoomStepOut(30), 25);
    EXPECT_EQ(ZoomStepOut(250), 200);
    EXPECT_EQ(ZoomStepIn(437), 500);
    EXPECT_EQ(ZoomStepIn(30), 33);
    EXPECT_EQ(ZoomStepIn(4000), 3000);
    EXPECT_EQ(ZoomStepOut(5000), 4900);
}

TEST(ZoomSteps, FitToWindow)
{
    EXPECT_EQ(FitToWindowZoom(300, 300, 400, 200), 75);
    EXPECT_EQ(FitToWindowZoom(300, 300, 1, 1), 5000);
    EXPECT_EQ(FitToWindowZoom(10, 10, 60000, 60000), 1);
    EXPECT_EQ(FitToWindowZoom(300, 300, 0, 10), 0);
}

} // namespace
} // namespace kalvo
