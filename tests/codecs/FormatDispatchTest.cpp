#include "codecs/FormatDispatch.h"
#include "codecs/AtomicFile.h"
#include "codecs/FileExtension.h"
#include "codecs/bmp/BmpFormat.h"
#include "image/ImageErrors.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace kalvo;
using namespace kalvo::test;

TEST(FileExtension, CaseDotsAndDirectories)
{
    EXPECT_EQ(ExtractFileExt("/d/photo.JPEG"), ".JPEG");
    EXPECT_EQ(FormatFromFileName("/d/photo.JPEG"), TImageFormat::Jpeg);
    EXPECT_EQ(FormatFromFileName("a.Jpe"), TImageFormat::Jpeg);
    EXPECT_EQ(FormatFromFileName("a.jpg"), TImageFormat::Jpeg);
    EXPECT_EQ(FormatFromFileName("a.j2k"), TImageFormat::Jpeg2000);
    EXPECT_EQ(FormatFromFileName("a.JPC"), TImageFormat::Jpeg2000);
    EXPECT_EQ(FormatFromFileName("a.rle"), TImageFormat::Bmp);
    EXPECT_EQ(FormatFromFileName("a.Dib"), TImageFormat::Bmp);
    EXPECT_EQ(FormatFromFileName("a.gif"), TImageFormat::Gif);
    EXPECT_EQ(FormatFromFileName("a.PNG"), TImageFormat::Png);
    EXPECT_EQ(FormatFromFileName("a.jfif"), TImageFormat::None);
    EXPECT_EQ(FormatFromFileName("a.WebP"), TImageFormat::Webp);
    EXPECT_EQ(FormatFromFileName("a.tif"), TImageFormat::Tiff);
    EXPECT_EQ(FormatFromFileName("a.TIFF"), TImageFormat::Tiff);
    EXPECT_EQ(FormatFromFileName("a.heic"), TImageFormat::Heif);
    EXPECT_EQ(FormatFromFileName("a.HEIF"), TImageFormat::Heif);
    EXPECT_EQ(FormatFromFileName("a.avif"), TImageFormat::Heif);
    EXPECT_EQ(FormatFromFileName("a.tga"), TImageFormat::None);
    EXPECT_EQ(FormatFromFileName("noextension"), TImageFormat::None);
    EXPECT_EQ(FormatFromFileName("a.bmp "), TImageFormat::None); // trailing blank
    EXPECT_EQ(ExtractFileExt("name."), ".");
    EXPECT_EQ(FormatFromFileName("name."), TImageFormat::None);
    EXPECT_EQ(ExtractFileExt("/dir.bmp/name"), "");
    EXPECT_EQ(FormatFromFileName("/dir.bmp/name"), TImageFormat::None);
    EXPECT_EQ(ChangeFileExtToNone("/d/photo.JPEG"), "/d/photo");
    EXPECT_EQ(ChangeFileExtToNone("/d.x/photo"), "/d.x/photo");
    EXPECT_EQ(ExtractFileName("/d/photo.JPEG"), "photo.JPEG");
    // Only ASCII letters change case.
    EXPECT_EQ(AsciiUpper("aé.bmp"), "Aé.BMP");
}

TEST(FormatDispatch, BmpLoadFillsTheRecord)
{
    TempDir dir;
    TpxImageInfo info;
    info.FileName = dir.file("a.RLE");
    info.Interlaced = info.Transparent = true;
    info.TransparentColor = 0x123456;
    WriteAll(info.FileName, BmpBytes(PatternBitmap(7, 3, 4)));
    auto bmp = LoadImageFile(info);
    ASSERT_TRUE(bmp);
    EXPECT_EQ(info.Result, 0);
    EXPECT_EQ(info.Width, 7);
    EXPECT_EQ(info.Height, 3);
    EXPECT_FALSE(info.Interlaced);
    EXPECT_FALSE(info.Transparent);
    EXPECT_EQ(info.TransparentColor, 0u);
    EXPECT_EQ(*bmp, PatternBitmap(7, 3, 4));
}

TEST(FormatDispatch, FailuresLeaveResultMinusOneAndTouchNothing)
{
    TempDir dir;
    TpxImageInfo info;
    info.FileName = dir.file("x.tga");
    WriteAll(info.FileName, {1, 2, 3});
    EXPECT_FALSE(LoadImageFile(info));
    EXPECT_EQ(info.Result, -1);

    TBitmap bmp = PatternBitmap(4, 4, 24);
    info.FileName = dir.file("out.tga");
    info.Result = 0;
    SaveImageFile(bmp, info);
    EXPECT_EQ(info.Result, -1);
    EXPECT_FALSE(FileExists(info.FileName));

    // A truncated BMP: the second attempt's own failure reaches the caller.
    info.FileName = dir.file("cut.bmp");
    auto bytes = BmpBytes(bmp);
    bytes.resize(60);
    WriteAll(info.FileName, bytes);
    EXPECT_THROW(LoadImageFile(info), EInvalidGraphic);
    EXPECT_EQ(info.Result, -1);
}

TEST(FormatDispatch, SaveReplacesOnlyWithACompleteFile)
{
    TempDir dir;
    TBitmap bmp = PatternBitmap(5, 5, 8);
    TpxImageInfo info;
    info.FileName = dir.file("a.bmp");
    WriteAll(info.FileName, {9, 9, 9});
    SaveImageFile(bmp, info);
    EXPECT_EQ(info.Result, 0);
    EXPECT_EQ(ReadBmp(ReadAll(info.FileName)), bmp);
    EXPECT_EQ(ListDir(dir.path()).size(), 1u);

    // Into a directory that does not exist: nothing created, Result -1.
    info.FileName = dir.file("no/such/dir.bmp");
    SaveImageFile(bmp, info);
    EXPECT_EQ(info.Result, -1);
}

TEST(AtomicFile, AFailingWriterKeepsTheOldFileAndLeavesNoTemporary)
{
    TempDir dir;
    const std::string target = dir.file("keep.bmp");
    WriteAll(target, {1, 2, 3});
    EXPECT_THROW(WriteFileAtomically(target,
                                     [](const std::string& temp) {
                                         std::ofstream(temp) << "half written";
                                         throw EFileError("encoder failed");
                                     }),
                 EFileError);
    EXPECT_EQ(ReadAll(target), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(ListDir(dir.path()), std::vector<std::string>{"keep.bmp"});

    std::filesystem::permissions(target, std::filesystem::perms(0640));
    WriteFileAtomically(target, [](const std::string& temp) { std::ofstream(temp) << "new"; });
    EXPECT_EQ(ReadAll(target), (std::vector<std::uint8_t>{'n', 'e', 'w'}));
    EXPECT_EQ(std::filesystem::status(target).permissions() & std::filesystem::perms::all,
              std::filesystem::perms(0640));
    EXPECT_EQ(ListDir(dir.path()), std::vector<std::string>{"keep.bmp"});
}
