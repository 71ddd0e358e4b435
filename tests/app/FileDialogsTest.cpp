// The dialogs' type lists, default extensions and type preselection, all read from the format
// table that the format dispatch reads too.
#include "app/files/FileDialogs.h"
#include "codecs/FileExtension.h"

#include <gtest/gtest.h>

using namespace kalvo;

TEST(FileDialogs, TypeListsComeFromTheFormatTable)
{
    EXPECT_EQ(OpenDialogFilters(),
              (QStringList{
                  "すべてのイメージ (*.bmp *.dib *.rle *.jpg *.jpeg *.jpe *.jp2 *.j2k *.jpc *.j2c *.png *.gif *.webp "
                  "*.tif *.tiff *.heic *.heif *.avif)",
                  "ビットマップ イメージ(*.bmp;*.dib) (*.bmp *.dib)",
                  "JPEG イメージ(*.jpg;*.jpeg;*.jpe) (*.jpg *.jpeg *.jpe)", "JPEG2000 イメージ(*.jp2) (*.jp2 *.j2k)",
                  "PNG イメージ(*.png) (*.png)", "GIF イメージ(*.gif) (*.gif)", "WebP イメージ(*.webp) (*.webp)",
                  "TIFF イメージ(*.tif;*.tiff) (*.tif *.tiff)",
                  "HEIF イメージ(*.heic;*.heif;*.avif) (*.heic *.heif *.avif)"}));
    EXPECT_EQ(SaveDialogFilters(),
              (QStringList{"ビットマップ イメージ(*.bmp) (*.bmp *.dib)", "JPEG イメージ(*.jpg) (*.jpg *.jpeg *.jpe)",
                           "JPEG2000 イメージ(*.jp2) (*.jp2 *.j2k)", "PNG イメージ(*.png) (*.png)",
                           "GIF イメージ(*.gif) (*.gif)", "WebP イメージ(*.webp) (*.webp)",
                           "TIFF イメージ(*.tif) (*.tif *.tiff)"}));
    const char* const defaults[] = {"", "bmp", "jpg", "jp2", "png", "gif", "webp", "tif", ""};
    for (int index = 0; index <= 8; ++index)
        EXPECT_EQ(DefaultExtensionForFilterIndex(index), QString::fromLatin1(defaults[index])) << index;
    // Every extension the dispatch reads preselects its type; others keep the current one.
    EXPECT_EQ(SaveFilterIndexForFileName("/a/b.RLE", 4), 1);
    EXPECT_EQ(SaveFilterIndexForFileName("b.JpEg", 1), 2);
    EXPECT_EQ(SaveFilterIndexForFileName("c.j2c", 1), 3);
    EXPECT_EQ(SaveFilterIndexForFileName("d.jpc", 1), 3);
    EXPECT_EQ(SaveFilterIndexForFileName("e.txt", 4), 4);
    EXPECT_EQ(SaveFilterIndexForFileName("e.TIFF", 4), 7);
    EXPECT_EQ(SaveFilterIndexForFileName("e.avif", 4), 4);
    EXPECT_EQ(SaveFilterIndexForFileName("f.png/noext", 5), 5);
    for (const char* name : {"x.bmp", "x.DIB", "x.rle", "x.jpg", "x.jpe", "x.jp2", "x.J2K", "x.png", "x.gif", "x.webp",
                             "x.tif", "x.TIFF", "x.heic", "x.avif"})
        EXPECT_NE(FormatFromFileName(name), TImageFormat::None) << name;
    EXPECT_EQ(FormatFromFileName("x."), TImageFormat::None);
    EXPECT_EQ(FormatFromFileName("x.jpgx"), TImageFormat::None);
}
