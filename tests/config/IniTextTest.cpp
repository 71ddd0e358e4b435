#include "config/IniText.h"

#include <gtest/gtest.h>

using namespace kalvo;

TEST(IniText, SectionsAndKeysMatchWithoutRegardToCase)
{
    const TIniText ini = TIniText::Parse("garbage line\r\n[Common]\r\n MaxUndo = 7 \r\nnot a "
                                         "key\r\n;comment=1\r\n[common]\r\nMaxUndo=9\n[Other]\rQ=\"quoted\"\r\n");
    EXPECT_EQ(ini.Value("COMMON", "maxundo"), QString("7"));
    EXPECT_EQ(ini.Value("other", "q"), QString("quoted"));
    EXPECT_EQ(ini.Value("COMMON", ";comment"), std::nullopt);
    EXPECT_EQ(ini.Value("Missing", "MaxUndo"), std::nullopt);
    EXPECT_EQ(ini.Value("COMMON", "Missing"), std::nullopt);
    EXPECT_EQ(ini.SectionNames(), QStringList({"Common", "Other"}));
}

TEST(IniText, WritesReplaceAddToTheSectionOrAppendKeepingOtherLines)
{
    TIniText ini = TIniText::Parse("; keep me\r\n[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
    ini.SetValue("a", "X", "10");
    ini.SetValue("A", "z", "3");
    ini.SetValue("New", "k", "line\nbreak");
    EXPECT_EQ(ini.Serialize(),
              QByteArray("; keep me\r\n[A]\r\nX=10\r\nz=3\r\n\r\n[B]\r\ny=2\r\n[New]\r\nk=line break\r\n"));
    EXPECT_EQ(ini.SectionValues("a"), QStringList({"X=10", "z=3"}));
    ini.EraseSection("B");
    EXPECT_EQ(ini.SectionNames(), QStringList({"A", "New"}));
}
