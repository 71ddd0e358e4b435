#include "config/RecentFileText.h"

#include <gtest/gtest.h>

using namespace kalvo;

TEST(RecentFileText, SkipsEmptyLongAndRepeatedLinesAndKeepsSixteen)
{
    QByteArray text = "\r\n/a/one.bmp\r\n\r\n   \n/a/TWO.bmp\n/a/One.BMP\r";
    text += QByteArray(kMaxRecentPathChars + 1, 'x') + "\r\n";
    text += QByteArray("/a/with\0nul.bmp\r\n", 17);
    for (int i = 0; i < 20; ++i)
        text += "/b/" + QByteArray::number(i) + "\r\n";
    const QStringList entries = ParseRecentFileText(text);
    ASSERT_EQ(entries.size(), 16);
    EXPECT_EQ(entries.at(0), "/a/one.bmp");
    EXPECT_EQ(entries.at(1), "/a/TWO.bmp");
    EXPECT_EQ(entries.at(2), "/b/0");
    EXPECT_EQ(entries.at(15), "/b/13");
    EXPECT_TRUE(ParseRecentFileText(QByteArray()).isEmpty());
    EXPECT_EQ(RecentFileBytes({"/x", "/y z"}), QByteArray("/x\r\n/y z\r\n"));
}

TEST(RecentFileText, CaptionsWithAcceleratorsAndDoubledAmpersands)
{
    EXPECT_EQ(RecentFileCaption(0, "/a/b.bmp"), "&1 /a/b.bmp");
    EXPECT_EQ(RecentFileCaption(8, "/x"), "&9 /x");
    EXPECT_EQ(RecentFileCaption(9, "/x"), "&A /x");
    EXPECT_EQ(RecentFileCaption(15, "/x"), "&G /x");
    EXPECT_EQ(RecentFileCaption(1, "/R&D/a&&b.png"), "&2 /R&&D/a&&&&b.png");
}
