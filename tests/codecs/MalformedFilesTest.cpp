// Replays the damaged files of tests/data/malformed (made by scripts/make-malformed-data.py)
// through the format dispatch and the palette-file reader: each fails cleanly or gives exactly
// the picture its list names.
#include "codecs/FormatDispatch.h"
#include "codecs/palette/PaletteFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace kalvo;

namespace {

const std::string kDir = std::string(KALVO_TEST_DATA) + "/malformed/";

struct TExpectation {
    std::string name;
    std::string outcome; // "fail" or "same"
    std::string reference;
};

std::vector<TExpectation> expectations()
{
    std::ifstream in(kDir + "EXPECTED");
    std::vector<TExpectation> list;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        TExpectation e;
        if (fields >> e.name >> e.outcome)
            fields >> e.reference;
        if (!e.name.empty())
            list.push_back(e);
    }
    return list;
}

bool isPalette(const std::string& name)
{
    return name.ends_with(".pal");
}

// The picture of an image file, or nothing when the load failed; a failure must come with
// Result -1, whether it is returned or raised.
std::optional<TBitmap> openImage(const std::string& name)
{
    TpxImageInfo info;
    info.FileName = kDir + name;
    info.Result = 0;
    std::optional<TBitmap> bitmap;
    try {
        bitmap = LoadImageFile(info);
    } catch (const std::exception&) {
        EXPECT_EQ(info.Result, -1);
        return std::nullopt;
    }
    EXPECT_EQ(info.Result, bitmap ? 0 : -1);
    if (bitmap) {
        EXPECT_FALSE(bitmap->empty());
    }
    return bitmap;
}

} // namespace

TEST(MalformedFiles, EachFailsCleanlyOrGivesExactlyItsPicture)
{
    const auto list = expectations();
    ASSERT_GE(list.size(), 40u);
    for (const auto& e : list) {
        SCOPED_TRACE(e.name);
        ASSERT_TRUE(e.outcome == "fail" || (e.outcome == "same" && !e.reference.empty())) << e.outcome;
        if (isPalette(e.name)) {
            const auto palette = ImportPalette(kDir + e.name);
            if (e.outcome == "fail") {
                EXPECT_FALSE(palette);
            } else {
                const auto reference = ImportPalette(kDir + e.reference);
                ASSERT_TRUE(palette && reference);
                EXPECT_EQ(*palette, *reference);
            }
            continue;
        }
        const auto picture = openImage(e.name);
        if (e.outcome == "fail") {
            EXPECT_FALSE(picture) << "opened as " << picture->width() << " x " << picture->height();
            continue;
        }
        const auto reference = openImage(e.reference);
        ASSERT_TRUE(picture);
        ASSERT_TRUE(reference);
        EXPECT_EQ(*picture, *reference);
    }
}

TEST(MalformedFiles, EveryDecoderHasDamagedFilesAndEveryFileIsListed)
{
    const auto list = expectations();
    std::set<std::string> listed;
    for (const auto& e : list) {
        listed.insert(e.name);
        if (!e.reference.empty())
            listed.insert(e.reference);
    }
    // Intact originals open, so that a failure above is the damage's doing.
    for (const char* intact : {"png-intact.png", "gif-intact.gif", "jpeg-intact.jpg", "jp2-intact.jp2",
                               "webp-intact.webp", "tiff-intact.tif", "heic-intact.heic", "avif-intact.avif"}) {
        EXPECT_TRUE(openImage(intact)) << intact;
        listed.insert(intact);
    }
    EXPECT_TRUE(ImportPalette(kDir + "pal-intact.pal"));
    for (const auto& name : test::ListDir(kDir)) {
        if (name != "EXPECTED") {
            EXPECT_TRUE(listed.count(name)) << name << " is not replayed";
        }
    }
    for (const char* prefix : {"bmp-", "rle8-", "rle4-", "png-", "gif-", "jpeg-", "jp2-", "j2k-", "webp-", "tiff-",
                               "heic-", "avif-", "pal-"}) {
        const auto failing = std::count_if(list.begin(), list.end(), [&](const TExpectation& e) {
            return e.name.starts_with(prefix) && e.outcome == "fail";
        });
        EXPECT_GE(failing, 1) << prefix;
    }
}
