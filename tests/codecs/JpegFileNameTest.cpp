#include "codecs/JpegFileName.h"

#include <gtest/gtest.h>

using kalvo::IsJpegFileName;

TEST(JpegFileName, ExtensionsInAnyCase)
{
    EXPECT_TRUE(IsJpegFileName("/photos/a.jpeg"));
    EXPECT_TRUE(IsJpegFileName("B.JpEg"));
    EXPECT_TRUE(IsJpegFileName("c.jpg"));
    EXPECT_TRUE(IsJpegFileName("d.JPE"));
    EXPECT_FALSE(IsJpegFileName("e.jfif"));
    EXPECT_FALSE(IsJpegFileName("f.jpg.png"));
    EXPECT_FALSE(IsJpegFileName("/dir.jpg/noext"));
    EXPECT_FALSE(IsJpegFileName("jpg"));
}
