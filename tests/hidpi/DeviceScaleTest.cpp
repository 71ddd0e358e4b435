#include "canvas/DeviceScale.h"

#include <gtest/gtest.h>

namespace kalvo {
namespace {

TEST(DeviceScale, LengthsArePixelCountsOfTheScreen)
{
    EXPECT_EQ(DeviceLength(801, 1.0), 801);
    EXPECT_EQ(DeviceLength(801, 2.0), 1602);
    EXPECT_EQ(DeviceLength(801, 1.5), 1202);
    EXPECT_EQ(DeviceLength(800, 1.25), 1000);
}

TEST(DeviceScale, APositionNamesTheDevicePixelItLiesOn)
{
    EXPECT_EQ(DevicePoint({10.75, 5.25}, 2.0), QPoint(21, 10));
    EXPECT_EQ(DevicePoint({-0.25, 3.0}, 2.0), QPoint(-1, 6));
    EXPECT_EQ(DevicePoint({3.0, 7.0}, 1.1), QPoint(3, 7));
    EXPECT_EQ(DevicePoint({2.0, 4.0}, 1.5), QPoint(3, 6));
    // Ratio 1 keeps Qt's rounding of event positions.
    EXPECT_EQ(DevicePoint({10.75, 5.25}, 1.0), QPoint(11, 5));
}

TEST(DeviceScale, RepaintRectanglesCoverEveryDevicePixel)
{
    EXPECT_EQ(LogicalRect(QRect(20, 10, 41, 31), 2.0), QRect(10, 5, 21, 16));
    EXPECT_EQ(LogicalRect(QRect(21, 11, 2, 2), 2.0), QRect(10, 5, 2, 2));
    EXPECT_EQ(LogicalRect(QRect(-3, 0, 3, 3), 2.0), QRect(-2, 0, 2, 2));
    EXPECT_EQ(LogicalRect(QRect(3, 3, 3, 3), 1.5), QRect(2, 2, 2, 2));
    EXPECT_EQ(LogicalRect(QRect(20, 10, 41, 31), 1.0), QRect(20, 10, 41, 31));
    EXPECT_TRUE(LogicalRect(QRect(), 2.0).isEmpty());
}

TEST(DeviceScale, PositionsGoBackToLogicalCoordinates)
{
    EXPECT_EQ(LogicalPoint({21, 10}, 2.0), QPointF(10.5, 5));
    EXPECT_EQ(LogicalPoint({21, 10}, 1.0), QPointF(21, 10));
}

} // namespace
} // namespace kalvo
