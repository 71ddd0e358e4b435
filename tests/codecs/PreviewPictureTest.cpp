#include "codecs/preview/PreviewPicture.h"
#include "codecs/FileExtension.h"
#include "codecs/FormatDispatch.h"
#include "codecs/JpegTestSupport.h"
#include "codecs/bmp/BmpFormat.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace kalvo;
using namespace kalvo::test;

namespace {

// Left half red, right half blue, for checking that a reduction keeps place and colour.
TBitmap TwoHalves(int width, int height)
{
    TBitmap bmp(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = bmp.scanLine(y) + 3 * x;
            const bool left = x < width / 2;
            p[0] = left ? 0 : 255;
            p[2] = left ? 255 : 0;
        }
    return bmp;
}

std::string Save(const TempDir& dir, const std::string& name, TBitmap bitmap)
{
    TpxImageInfo info;
    info.FileName = dir.file(name);
    SaveImageFile(bitmap, info);
    EXPECT_EQ(info.Result, 0) << name;
    return info.FileName;
}

void ExpectNear(TColor actual, TColor expected, int tolerance, const char* where)
{
    EXPECT_NEAR(GetRValue(actual), GetRValue(expected), tolerance) << where;
    EXPECT_NEAR(GetGValue(actual), GetGValue(expected), tolerance) << where;
    EXPECT_NEAR(GetBValue(actual), GetBValue(expected), tolerance) << where;
}

} // namespace

TEST(PreviewFit, PicturesThatFitKeepTheirSize)
{
    EXPECT_EQ(FitPreviewSize(100, 50, 150, 150), (TPreviewSize{100, 50}));
    EXPECT_EQ(FitPreviewSize(150, 200, 150, 200), (TPreviewSize{150, 200}));
    EXPECT_EQ(FitPreviewSize(1, 1, 150, 150), (TPreviewSize{1, 1}));
    EXPECT_EQ(FitPreviewSize(0, 10, 150, 150), (TPreviewSize{}));
    EXPECT_EQ(FitPreviewSize(10, 10, 0, 150), (TPreviewSize{}));
}

TEST(PreviewFit, TheSideThatLimitsSpansTheBox)
{
    // Wide: the width limits.
    EXPECT_EQ(FitPreviewSize(600, 300, 150, 150), (TPreviewSize{150, 75}));
    // Square in a box taller than wide: the width limits, not the picture's own longer side.
    EXPECT_EQ(FitPreviewSize(400, 400, 150, 200), (TPreviewSize{150, 150}));
    EXPECT_EQ(FitPreviewSize(4000, 4000, 150, 200), (TPreviewSize{150, 150}));
    // Square in a box wider than high.
    EXPECT_EQ(FitPreviewSize(400, 400, 200, 150), (TPreviewSize{150, 150}));
    // Tall: the height limits.
    EXPECT_EQ(FitPreviewSize(300, 600, 150, 200), (TPreviewSize{100, 200}));
    // Wider than high, yet the height limits in a flat box.
    EXPECT_EQ(FitPreviewSize(400, 300, 150, 60), (TPreviewSize{80, 60}));
    // Only one side too large.
    EXPECT_EQ(FitPreviewSize(160, 20, 150, 150), (TPreviewSize{150, 19})); // 18.75 rounds up
    EXPECT_EQ(FitPreviewSize(1000, 10, 150, 150), (TPreviewSize{150, 2})); // 1.5 rounds up
    EXPECT_EQ(FitPreviewSize(60000, 1, 150, 150), (TPreviewSize{150, 1})); // never 0
    EXPECT_EQ(FitPreviewSize(65535, 65535, 150, 200), (TPreviewSize{150, 150}));
}

TEST(PreviewPicture, EveryFormatGivesSizeDepthAndAFittedPicture)
{
    TempDir dir;
    struct Case {
        std::string name;
        TBitmap bitmap;
        int bitCount;
    };
    std::vector<Case> cases;
    cases.push_back({"a.bmp", PatternBitmap(300, 120, 8), 8});
    cases.push_back({"b.dib", PatternBitmap(90, 40, 4), 4});
    cases.push_back({"c.rle", PatternBitmap(33, 17, 1), 1});
    cases.push_back({"d.BMP", PatternBitmap(400, 400, 24), 24});
    cases.push_back({"e.png", PatternBitmap(120, 300, 24), 24});
    cases.push_back({"f.gif", PatternBitmap(200, 100, 8), 8});
    cases.push_back({"g.jpg", PhotoLike(640, 480), 24});
    cases.push_back({"h.jpe", PhotoLike(64, 48), 24});
    cases.push_back({"i.JPEG", PhotoLike(151, 10), 24});
    cases.push_back({"j.jp2", PhotoLike(320, 200), 24});
    cases.push_back({"k.j2k", PhotoLike(100, 100), 24});
    for (Case& c : cases) {
        const std::string file = Save(dir, c.name, c.bitmap);
        const auto preview = LoadPreviewPicture(file, 150, 200);
        ASSERT_TRUE(preview) << c.name;
        EXPECT_EQ(preview->Width, c.bitmap.width()) << c.name;
        EXPECT_EQ(preview->Height, c.bitmap.height()) << c.name;
        EXPECT_EQ(preview->BitCount, c.bitCount) << c.name;
        const TPreviewSize fit = FitPreviewSize(c.bitmap.width(), c.bitmap.height(), 150, 200);
        EXPECT_EQ(preview->Picture.width(), fit.width) << c.name;
        EXPECT_EQ(preview->Picture.height(), fit.height) << c.name;
    }
    // .jpc and .j2c name bare code streams too.
    std::filesystem::copy_file(dir.file("k.j2k"), dir.file("l.jpc"));
    std::filesystem::copy_file(dir.file("k.j2k"), dir.file("m.J2C"));
    for (const char* name : {"l.jpc", "m.J2C"}) {
        const auto preview = LoadPreviewPicture(dir.file(name), 150, 200);
        ASSERT_TRUE(preview) << name;
        EXPECT_EQ(preview->Picture.width(), 100) << name;
    }
}

TEST(PreviewPicture, APictureThatFitsIsTheLoadedBitmapItself)
{
    TempDir dir;
    const TBitmap bitmap = PatternBitmap(100, 50, 4);
    const auto preview = LoadPreviewPicture(Save(dir, "p.bmp", bitmap), 150, 150);
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->Picture, bitmap);
}

TEST(PreviewPicture, GreyJpegReportsEightBits)
{
    TempDir dir;
    JpegOptions options;
    options.gray = true;
    WriteAll(dir.file("grey.jpg"), EncodeJpeg(PhotoLike(300, 200), options));
    const auto preview = LoadPreviewPicture(dir.file("grey.jpg"), 150, 150);
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->BitCount, 8);
    EXPECT_EQ(preview->Picture.width(), 150);
    EXPECT_EQ(preview->Picture.height(), 100);
}

TEST(PreviewPicture, ReducedJpegAndJpeg2000KeepPlaceAndColour)
{
    TempDir dir;
    const TBitmap halves = TwoHalves(2400, 1600);
    JpegOptions progressive;
    progressive.progressive = true;
    WriteAll(dir.file("p.jpg"), EncodeJpeg(halves, progressive));
    const std::vector<std::string> files = {Save(dir, "a.jpg", halves), dir.file("p.jpg"), Save(dir, "a.jp2", halves),
                                            Save(dir, "a.png", halves)};
    for (const std::string& file : files) {
        const auto preview = LoadPreviewPicture(file, 150, 150);
        ASSERT_TRUE(preview) << file;
        EXPECT_EQ(preview->Width, 2400) << file;
        EXPECT_EQ(preview->Height, 1600) << file;
        ASSERT_EQ(preview->Picture.width(), 150) << file;
        ASSERT_EQ(preview->Picture.height(), 100) << file;
        ExpectNear(preview->Picture.pixelColor(5, 5), RGB(255, 0, 0), 12, file.c_str());
        ExpectNear(preview->Picture.pixelColor(70, 95), RGB(255, 0, 0), 12, file.c_str());
        ExpectNear(preview->Picture.pixelColor(80, 5), RGB(0, 0, 255), 12, file.c_str());
        ExpectNear(preview->Picture.pixelColor(144, 95), RGB(0, 0, 255), 12, file.c_str());
    }
}

TEST(PreviewPicture, AProgressiveJpegPreviewsFromItsFirstScan)
{
    TempDir dir;
    JpegOptions progressive;
    progressive.progressive = true;
    std::vector<std::uint8_t> bytes = EncodeJpeg(TwoHalves(2400, 1600), progressive);
    // Cut the file where its second scan starts: the first one carries every DC coefficient,
    // all an eighth-scale preview needs.
    std::size_t secondScan = 0;
    int scans = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i)
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xDA && ++scans == 2) {
            secondScan = i;
            break;
        }
    ASSERT_GT(secondScan, 0u);
    bytes.resize(secondScan);
    WriteAll(dir.file("first-scan.jpg"), bytes);
    const auto preview = LoadPreviewPicture(dir.file("first-scan.jpg"), 150, 150);
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->Width, 2400);
    ASSERT_EQ(preview->Picture.width(), 150);
    ExpectNear(preview->Picture.pixelColor(10, 50), RGB(255, 0, 0), 16, "left");
    ExpectNear(preview->Picture.pixelColor(140, 50), RGB(0, 0, 255), 16, "right");
}

TEST(PreviewPicture, ABoxLargerThanAnEighthDecodesAtAFinerScale)
{
    TempDir dir;
    const std::string file = Save(dir, "big.jpg", TwoHalves(1600, 800));
    // 1/8 would give 200 x 100, short of the 400-pixel box width: the preview is still sharp.
    const auto preview = LoadPreviewPicture(file, 400, 400);
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->Picture.width(), 400);
    EXPECT_EQ(preview->Picture.height(), 200);
    ExpectNear(preview->Picture.pixelColor(197, 100), RGB(255, 0, 0), 16, "left of the edge");
    ExpectNear(preview->Picture.pixelColor(203, 100), RGB(0, 0, 255), 16, "right of the edge");
}

TEST(PreviewPicture, MissingUnknownTruncatedAndCorruptFilesGiveNothing)
{
    TempDir dir;
    EXPECT_FALSE(LoadPreviewPicture(dir.file("missing.png"), 150, 150));
    const std::string text = "just some text";
    WriteAll(dir.file("notes.txt"), std::vector<std::uint8_t>(text.begin(), text.end()));
    EXPECT_FALSE(LoadPreviewPicture(dir.file("notes.txt"), 150, 150));
    WriteAll(dir.file("empty.jpg"), {});
    EXPECT_FALSE(LoadPreviewPicture(dir.file("empty.jpg"), 150, 150));

    const TBitmap photo = PhotoLike(200, 160);
    for (const std::string name : {"t.jpg", "t.jp2", "t.j2k", "t.png", "t.gif", "t.bmp"}) {
        const std::vector<std::uint8_t> good = ReadAll(Save(dir, name, photo));
        // Cut inside the headers, and (except JPEG, which finishes what it has as the editor's
        // load does) inside the picture data.
        std::vector<std::size_t> cuts = {4, 20, 60};
        if (name != "t.jpg")
            cuts.push_back(good.size() / 2);
        for (std::size_t cut : cuts) {
            const std::string file = dir.file("cut-" + std::to_string(cut) + "-" + name);
            WriteAll(file, std::vector<std::uint8_t>(good.begin(), good.begin() + std::ptrdiff_t(cut)));
            EXPECT_FALSE(LoadPreviewPicture(file, 150, 150)) << file;
        }
        // Another format's bytes under this name.
        const std::string wrong = dir.file("wrong-" + name);
        WriteAll(wrong, name == "t.bmp" ? ReadAll(dir.file("t.png")) : BmpBytes(photo));
        EXPECT_FALSE(LoadPreviewPicture(wrong, 150, 150)) << wrong;
    }
}

TEST(PreviewPicture, AClaimedHugeSizeIsRefused)
{
    TempDir dir;
    // Even an eighth of 65500 x 65500 would be a 200 MB bitmap for a few bytes of data.
    WriteAll(dir.file("huge.jpg"), WithClaimedSize(EncodeJpeg(PhotoLike(64, 64)), 65500, 65500));
    EXPECT_FALSE(LoadPreviewPicture(dir.file("huge.jpg"), 150, 150));
    // 20000 x 20000 still previews from its eighth (2500 x 2500).
    WriteAll(dir.file("large.jpg"), WithClaimedSize(EncodeJpeg(PhotoLike(64, 64)), 20000, 20000));
    const auto preview = LoadPreviewPicture(dir.file("large.jpg"), 150, 150);
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->Width, 20000);
    EXPECT_EQ(preview->Picture.width(), 150);
}

TEST(PreviewPicture, ACancelledLoadGivesNothing)
{
    TempDir dir;
    const std::string file = Save(dir, "c.jpg", PhotoLike(800, 600));
    std::atomic<bool> cancel{true};
    EXPECT_FALSE(LoadPreviewPicture(file, 150, 150, &cancel));
    cancel = false;
    EXPECT_TRUE(LoadPreviewPicture(file, 150, 150, &cancel));
}

TEST(PreviewPicture, MalformedFilesGiveNothingOrTheirIntactTwin)
{
    // EXPECTED lists each malformed file with "fail" or "same <intact file>".
    const std::string dir = std::string(KALVO_TEST_DATA) + "/malformed/";
    std::ifstream expected(dir + "EXPECTED");
    ASSERT_TRUE(expected);
    int checked = 0;
    std::string name, verdict;
    while (expected >> name >> verdict) {
        if (FormatFromFileName(name) == TImageFormat::None) {
            std::getline(expected, verdict);
            continue;
        }
        const auto preview = LoadPreviewPicture(dir + name, 150, 150);
        if (verdict == "fail") {
            EXPECT_FALSE(preview) << name;
        } else {
            std::string twin;
            expected >> twin;
            const auto intact = LoadPreviewPicture(dir + twin, 150, 150);
            ASSERT_TRUE(preview) << name;
            ASSERT_TRUE(intact) << twin;
            EXPECT_EQ(preview->Width, intact->Width) << name;
            EXPECT_EQ(preview->Height, intact->Height) << name;
            EXPECT_EQ(preview->Picture, intact->Picture) << name;
        }
        ++checked;
    }
    EXPECT_GT(checked, 30);
}

TEST(PreviewPicture, EveryTestDataFileLoadsOrGivesNothing)
{
    const std::filesystem::path data(KALVO_TEST_DATA);
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(data)) {
        if (!entry.is_regular_file())
            continue;
        ++files;
        const auto preview = LoadPreviewPicture(entry.path().string(), 150, 150);
        if (preview) {
            const TPreviewSize fit = FitPreviewSize(preview->Width, preview->Height, 150, 150);
            EXPECT_EQ(preview->Picture.width(), fit.width) << entry.path();
            EXPECT_EQ(preview->Picture.height(), fit.height) << entry.path();
        }
    }
    EXPECT_GT(files, 0);
}
