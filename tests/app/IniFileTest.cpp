#include "app/settings/IniFile.h"
#include "ScopedConfigDir.h"
#include "app/settings/ProgramDirectory.h"
#include "app/settings/Settings.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace kalvo;
using namespace kalvo::test;

TEST(IniFile, IntegersBooleansAndStringsWithTheirDefaults)
{
    TempDir dir;
    WriteAll(dir.file("s.ini"),
             Bytes("[S]\r\ndec=-42\r\nhex=$1F\r\nhex2=0x10\r\nword=abc\r\nhuge=99999999999999\r\n"
                   "empty=\r\nfrac=1.5\r\nb0=0\r\nb1=5\r\nbx=yes\r\n"));
    const TIniFile ini(QString::fromStdString(dir.file("s.ini")));
    EXPECT_EQ(ini.ReadInteger("s", "DEC", 1), -42);
    EXPECT_EQ(ini.ReadInteger("S", "hex", 1), 31);
    EXPECT_EQ(ini.ReadInteger("S", "hex2", 1), 16);
    EXPECT_EQ(ini.ReadInteger("S", "word", 3), 3);
    EXPECT_EQ(ini.ReadInteger("S", "huge", 4), 4);
    EXPECT_EQ(ini.ReadInteger("S", "empty", 5), 5);
    EXPECT_EQ(ini.ReadInteger("S", "frac", 6), 6);
    EXPECT_EQ(ini.ReadInteger("S", "nokey", 7), 7);
    EXPECT_FALSE(ini.ReadBool("S", "b0", true));
    EXPECT_TRUE(ini.ReadBool("S", "b1", false));
    EXPECT_FALSE(ini.ReadBool("S", "bx", false));
    EXPECT_TRUE(ini.ReadBool("S", "bx", true));
    EXPECT_EQ(ini.ReadString("S", "word", "d"), "abc");
    EXPECT_EQ(ini.ReadString("S", "empty", "d"), "");
    EXPECT_EQ(ini.ReadString("T", "word", "d"), "d");
}

TEST(IniFile, WritesReplaceTheFileAtomicallyAndLeaveNoTemporaryFile)
{
    TempDir dir;
    const QString name = QString::fromStdString(dir.file("w.ini"));
    TIniFile ini(name);
    EXPECT_EQ(ini.ReadInteger("A", "k", 12), 12);
    ASSERT_TRUE(ini.WriteInteger("A", "k", 3));
    ASSERT_TRUE(ini.WriteBool("a", "B", true));
    ASSERT_TRUE(ini.WriteString("C", "s", "text"));
    EXPECT_EQ(Text(ReadAll(dir.file("w.ini"))), "[A]\r\nk=3\r\nB=1\r\n[C]\r\ns=text\r\n");
    EXPECT_EQ(ListDir(dir.path()), std::vector<std::string>({"w.ini"}));
}

TEST(IniFile, UnwritableDirectoryAndOversizedFileFailWithoutDamage)
{
    TempDir dir;
    const std::string sub = dir.file("ro");
    ASSERT_EQ(::mkdir(sub.c_str(), 0500), 0);
    TIniFile readOnly(QString::fromStdString(sub + "/x.ini"));
    if (::geteuid() != 0) {
        EXPECT_FALSE(readOnly.WriteInteger("A", "k", 1));
    }
    ::chmod(sub.c_str(), 0700);

    const std::string big = dir.file("big.ini");
    std::string content = "[A]\r\nk=5\r\n";
    content.append(std::size_t(TIniFile::kMaxFileBytes), ';');
    WriteAll(big, Bytes(content));
    TIniFile oversized(QString::fromStdString(big));
    EXPECT_EQ(oversized.ReadInteger("A", "k", 9), 9);
    EXPECT_FALSE(oversized.WriteInteger("A", "k", 1));
    EXPECT_EQ(ReadAll(big).size(), content.size());
}

TEST(IniFile, HelpersUseTheSettingsFileInTheProgramDirectory)
{
    ScopedConfigDir config;
    EXPECT_EQ(ProgramDirectory(), QString::fromStdString(config.path() + "/"));
    EXPECT_EQ(SettingsFileName(), config.qfile("Kalvo2.ini"));
    EXPECT_EQ(ReadIniInteger("NEWIMAGE", "Width", 100), 100);
    ASSERT_TRUE(WriteIniInteger("NEWIMAGE", "Width", 640));
    ASSERT_TRUE(WriteIniBool("X", "On", false));
    ASSERT_TRUE(WriteIniString("X", "Name", "a b"));
    ASSERT_TRUE(WriteIniColor("DropShadow", "Color", 0x123456));
    EXPECT_EQ(ReadIniInteger("newimage", "WIDTH", 100), 640);
    EXPECT_FALSE(ReadIniBool("X", "On", true));
    EXPECT_EQ(ReadIniString("X", "Name", ""), "a b");
    EXPECT_EQ(ReadIniColor("DropShadow", "Color", 0), 0x123456u);
    EXPECT_TRUE(FileExists(config.file("Kalvo2.ini")));
}
