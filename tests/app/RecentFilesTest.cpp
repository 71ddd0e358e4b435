#include "app/files/RecentFiles.h"
#include "ScopedConfigDir.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

using namespace kalvo;
using namespace kalvo::test;

namespace {

QString entry(int i)
{
    return QStringLiteral("/pics/p%1.bmp").arg(i);
}

} // namespace

TEST(RecentFileList, NewestFirstAndTheSeventeenthDropsTheOldest)
{
    ScopedConfigDir config;
    TRecentFileList list(config.qfile("Kalvo2.mru"));
    for (int i = 1; i <= 17; ++i)
        list.Add(entry(i));
    ASSERT_EQ(list.Items().size(), 16);
    EXPECT_EQ(list.Items().front(), entry(17));
    EXPECT_EQ(list.Items().back(), entry(2));
    ASSERT_TRUE(list.SaveToFile());
    const std::string text = Text(ReadAll(config.file("Kalvo2.mru")));
    EXPECT_EQ(text.find("/pics/p17.bmp\r\n/pics/p16.bmp\r\n"), 0u);
    EXPECT_EQ(text.find("/pics/p1.bmp\r\n"), std::string::npos);
}

TEST(RecentFileList, CaseInsensitiveMoveTakesTheNewSpelling)
{
    ScopedConfigDir config;
    TRecentFileList list(config.qfile("Kalvo2.mru"));
    list.Add("/pics/Photo.JPG");
    list.Add("/pics/b.png");
    list.Add("/pics/c.png");
    QSignalSpy changed(&list, &TRecentFileList::Changed);
    list.Add("/PICS/photo.jpg");
    EXPECT_EQ(list.Items(), QStringList({"/PICS/photo.jpg", "/pics/c.png", "/pics/b.png"}));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(list.Remove("/Pics/C.PNG"));
    EXPECT_FALSE(list.Remove("/pics/none.png"));
    EXPECT_EQ(list.Items(), QStringList({"/PICS/photo.jpg", "/pics/b.png"}));
    list.MoveToTop(1);
    EXPECT_EQ(list.Items(), QStringList({"/pics/b.png", "/PICS/photo.jpg"}));
    EXPECT_EQ(list.Captions(), QStringList({"&1 /pics/b.png", "&2 /PICS/photo.jpg"}));
}

TEST(RecentFileList, MissingOrBrokenFileGivesAnEmptyList)
{
    ScopedConfigDir config;
    TRecentFileList list(config.qfile("Kalvo2.mru"));
    list.Add("/x");
    list.LoadFromFile();
    EXPECT_TRUE(list.Items().isEmpty());
    WriteAll(config.file("Kalvo2.mru"), Bytes(std::string(100000, '\n') + "/kept\r\n" + std::string(70000, 'y')));
    list.LoadFromFile();
    EXPECT_EQ(list.Items(), QStringList({"/kept"}));
}

TEST(RecentFileList, ReloadsWhenAnotherProgramReplacesTheFile)
{
    ScopedConfigDir config;
    TRecentFileList list(config.qfile("Kalvo2.mru"));
    list.SetWatching(true);
    TRecentFileList other(config.qfile("Kalvo2.mru"));
    other.Add("/from/other.bmp");
    ASSERT_TRUE(other.SaveToFile());
    EXPECT_TRUE(WaitFor([&] { return list.Items() == QStringList({"/from/other.bmp"}); }));
    other.Add("/second.bmp");
    ASSERT_TRUE(other.SaveToFile());
    EXPECT_TRUE(WaitFor([&] { return list.Items() == QStringList({"/second.bmp", "/from/other.bmp"}); }));
}
