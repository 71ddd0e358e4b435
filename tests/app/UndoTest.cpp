#include "MainWindowHarness.h"
#include "ScopedConfigDir.h"
#include "app/controls/IdleTime.h"
#include "app/mainform/MainForm.h"
#include "app/undo/UndoList.h"
#include "canvas/PxImage.h"
#include "codecs/bmp/BmpFormat.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QTest>

#include <algorithm>
#include <cstdlib>

#include <linux/magic.h>
#include <sys/vfs.h>

using namespace kalvo;
using namespace kalvo::test;

namespace {

// A 24-bit image of one colour: the states of the history are told apart by it.
TBitmap solid(int value)
{
    TBitmap bmp(6, 4, 24);
    bmp.fill(RGB(value, value, value));
    return bmp;
}

int shade(const TKalvoMainForm& form)
{
    return GetRValue(form.Canvas()->Bitmap().pixelColor(0, 0));
}

// A command that changes the image: record, then hand the new image to the canvas.
void imageStep(TKalvoMainForm& form, int value, const QString& what = QStringLiteral("反転"))
{
    form.PushUndo(what, TKalvoMainForm::kUndoImage);
    form.Canvas()->SetBitmap(solid(value));
}

std::vector<std::string> descriptions(const TKalvoMainForm& form)
{
    std::vector<std::string> d;
    for (const auto& item : Internals(form).FUndoList)
        d.push_back(item->Description);
    return d;
}

std::vector<QString> kvFiles()
{
    std::vector<QString> names;
    for (const QString& n : QDir(QString::fromStdString(UndoSpillDirectory())).entryList({"_KV*"}, QDir::Files))
        names.push_back(n);
    return names;
}

} // namespace

// The temporary directory the history's files go to is the test process's own: no other test
// running beside this one writes there.
TEST(Undo, TheTestProcessHasATemporaryDirectoryOfItsOwn)
{
    EXPECT_TRUE(QFileInfo(QDir::tempPath()).fileName().startsWith(QLatin1String("kalvo-tests-")))
        << QDir::tempPath().toStdString();
    EXPECT_EQ(QFileInfo(qEnvironmentVariable("KALVO_CONFIG_DIR")).canonicalFilePath(), QDir::tempPath() + "/config");
}

namespace {

struct UndoHarness : Harness {
    UndoHarness()
    {
        Internals(form).FMaxUndo = 16; // whatever an earlier test left in the settings file
        form.Canvas()->SetBitmap(solid(10));
        form.ClearUndoHistory();
    }
};

} // namespace

TEST(Undo, WorkedSequence)
{
    UndoHarness h;
    auto& f = h.form;
    EXPECT_FALSE(f.Action("acUndo")->isEnabled());
    imageStep(f, 20, "A");
    imageStep(f, 30, "B");
    EXPECT_EQ(descriptions(f), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(Internals(f).FUndoPos, 2);
    EXPECT_TRUE(f.Action("acUndo")->isEnabled());
    EXPECT_FALSE(f.Action("acRedo")->isEnabled());

    f.Action("acUndo")->trigger(); // appends the state after B, restores b
    EXPECT_EQ(descriptions(f), (std::vector<std::string>{"A", "B", "For redo."}));
    EXPECT_EQ(Internals(f).FUndoPos, 1);
    EXPECT_EQ(shade(f), 20);
    EXPECT_TRUE(f.Action("acUndo")->isEnabled());
    EXPECT_TRUE(f.Action("acRedo")->isEnabled());

    f.Action("acUndo")->trigger();
    EXPECT_EQ(Internals(f).FUndoPos, 0);
    EXPECT_EQ(shade(f), 10);
    EXPECT_FALSE(f.Action("acUndo")->isEnabled());

    f.Action("acRedo")->trigger();
    EXPECT_EQ(Internals(f).FUndoPos, 1);
    EXPECT_EQ(shade(f), 20);
    f.Action("acRedo")->trigger();
    EXPECT_EQ(Internals(f).FUndoPos, 2);
    EXPECT_EQ(shade(f), 30);
    EXPECT_FALSE(f.Action("acRedo")->isEnabled());
    EXPECT_EQ(Internals(f).FUndoList.size(), 3u);

    // A new recording at position 1 drops b and r first.
    f.Action("acUndo")->trigger();
    imageStep(f, 40, "C");
    EXPECT_EQ(descriptions(f), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(Internals(f).FUndoPos, 2);
}

TEST(Undo, MaxUndoLimitsTheHistory)
{
    UndoHarness h;
    Internals(h.form).FMaxUndo = 3;
    for (int i = 1; i <= 5; ++i)
        imageStep(h.form, 10 + i, QString::number(i));
    EXPECT_EQ(descriptions(h.form), (std::vector<std::string>{"3", "4", "5"}));
    EXPECT_EQ(Internals(h.form).FUndoPos, 3);
    h.form.Action("acUndo")->trigger();
    h.form.Action("acUndo")->trigger();
    h.form.Action("acUndo")->trigger();
    EXPECT_EQ(shade(h.form), 12); // the state before step 3 is the oldest left
    EXPECT_FALSE(h.form.Action("acUndo")->isEnabled());

    UndoHarness zero;
    Internals(zero.form).FMaxUndo = 0;
    imageStep(zero.form, 50);
    EXPECT_TRUE(Internals(zero.form).FUndoList.empty());
    EXPECT_EQ(Internals(zero.form).FUndoPos, 0);
    EXPECT_FALSE(zero.form.Action("acUndo")->isEnabled());
    EXPECT_TRUE(Internals(zero.form).FModified);

    UndoHarness negative;
    Internals(negative.form).FMaxUndo = -5; // acts as 0
    imageStep(negative.form, 50);
    EXPECT_TRUE(Internals(negative.form).FUndoList.empty());
    EXPECT_EQ(Internals(negative.form).FUndoPos, 0);
}

TEST(Undo, ModifiedFlagFollowsTheHistory)
{
    UndoHarness h;
    auto& f = h.form;
    EXPECT_FALSE(Internals(f).FModified);
    imageStep(f, 20);
    EXPECT_TRUE(Internals(f).FModified);
    f.Action("acUndo")->trigger();
    EXPECT_FALSE(Internals(f).FModified);
    f.Action("acRedo")->trigger();
    EXPECT_TRUE(Internals(f).FModified); // an unsaved change redone is modified again

    // After a save no earlier state matches the file: undo leaves the document modified.
    Internals(f).FModified = false;
    Internals(f).FSavedSinceLoad = true;
    f.Action("acUndo")->trigger();
    EXPECT_TRUE(Internals(f).FModified);
}

TEST(Undo, ImageStepAfterRegionStepAlsoRecordsTheRegion)
{
    UndoHarness h;
    auto& f = h.form;
    f.PushUndo(QStringLiteral("選択範囲の変更"), TKalvoMainForm::kUndoRegion);
    f.Canvas()->SetRegion(TRegion::rect({1, 1, 4, 3}));
    EXPECT_FALSE(Internals(f).FModified); // a region step leaves the image unmodified
    imageStep(f, 60, "描画");
    ASSERT_EQ(Internals(f).FUndoList.size(), 2u);
    EXPECT_TRUE(Internals(f).FUndoList[1]->HasImage);
    EXPECT_TRUE(Internals(f).FUndoList[1]->HasRegion);

    f.Canvas()->SetRegion(TRegion::rect({0, 0, 2, 2}));
    f.Action("acUndo")->trigger(); // undoing the stroke restores the selection of before the stroke
    EXPECT_EQ(shade(f), 10);
    ASSERT_TRUE(f.Canvas()->Region());
    EXPECT_EQ(*f.Canvas()->Region(), TRegion::rect({1, 1, 4, 3}));
    f.Action("acUndo")->trigger();
    EXPECT_FALSE(f.Canvas()->Region());
}

TEST(Undo, SwappedItemsRestoreExactlyAndTheirFilesGoWithThem)
{
    const auto before = kvFiles();
    {
        UndoHarness h;
        auto& f = h.form;
        TBitmap picture = PatternBitmap(33, 17, 24);
        f.Canvas()->SetBitmap(picture);
        f.PushUndo(QStringLiteral("選択範囲の変更"), TKalvoMainForm::kUndoRegion);
        f.Canvas()->SetRegion(TRegion::ellipse({2, 3, 30, 15}));
        for (int i = 0; i < 5; ++i)
            imageStep(f, 100 + i);
        ASSERT_EQ(Internals(f).FUndoList.size(), 6u);
        Internals(f).pxIdleTime1Interval(); // idle: all but the three newest go to temporary files
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(Internals(f).FUndoList[std::size_t(i)]->SwappedOut, i < 3) << i;
        EXPECT_GT(kvFiles().size(), before.size());
        for (const auto& item : Internals(f).FUndoList) {
            if (item->SwappedOut && item->ImageStream) {
                EXPECT_TRUE(QString::fromStdString(*item->ImageStream->FileName()).contains("/_KV"));
            }
        }
        Internals(f).pxIdleTime1Interval(); // nothing more to do
        for (int i = 0; i < 6; ++i)
            f.Action("acUndo")->trigger();
        EXPECT_EQ(f.Canvas()->Bitmap(), picture);
        EXPECT_FALSE(f.Canvas()->Region());
        f.Action("acRedo")->trigger();
        ASSERT_TRUE(f.Canvas()->Region());
        EXPECT_EQ(*f.Canvas()->Region(), TRegion::ellipse({2, 3, 30, 15}));
    }
    EXPECT_EQ(kvFiles(), before);
}

TEST(Undo, NothingHappensWhileTheLeftButtonIsHeld)
{
    UndoHarness h;
    imageStep(h.form, 20);
    Internals(h.form).FLeftButtonDown = true;
    h.form.Action("acUndo")->trigger();
    EXPECT_EQ(shade(h.form), 20);
    EXPECT_EQ(Internals(h.form).FUndoPos, 1);
    EXPECT_EQ(Internals(h.form).FUndoList.size(), 1u);
}

TEST(Undo, OpeningAFileClearsTheHistory)
{
    TempDir dir;
    WriteAll(dir.file("a.bmp"), BmpBytes(solid(77)));
    UndoHarness h;
    imageStep(h.form, 20);
    Internals(h.form).FModified = false;
    ASSERT_TRUE(h.form.OpenImageFile(QString::fromStdString(dir.file("a.bmp"))));
    EXPECT_TRUE(Internals(h.form).FUndoList.empty());
    EXPECT_EQ(Internals(h.form).FUndoPos, 0);
    EXPECT_FALSE(h.form.Action("acUndo")->isEnabled());
}

TEST(UndoList, ImageAndMaskShareOneStreamAndReadBack)
{
    TUndoList list;
    const TBitmap image = PatternBitmap(9, 5, 24);
    TBitmap mask(9, 5, 8);
    mask.scanLine(2)[3] = 128;
    const TRegionRef region = TRegion::rect({1, 1, 5, 4});
    ASSERT_TRUE(AddUndoItem(list, std::string(300, 'x'), &image, &mask, &region, true, true));
    EXPECT_EQ(list[0]->Description.size(), 255u);
    ASSERT_TRUE(AddUndoItem(list, "region only, none selected", nullptr, nullptr, nullptr, true, false));
    EXPECT_FALSE(list[1]->ImageStream);

    for (int pass = 0; pass < 2; ++pass) {
        TBitmap outImage;
        std::optional<TBitmap> outMask;
        TRegionRef outRegion;
        bool modified = false;
        const TUndoParts parts = GetUndoItem(list, 0, outImage, outMask, outRegion, modified);
        EXPECT_TRUE(parts.Image && parts.Mask && parts.Region);
        EXPECT_EQ(outImage, image);
        ASSERT_TRUE(outMask);
        EXPECT_EQ(outMask->scanLine(2)[3], 128);
        EXPECT_EQ(outRegion, region);
        EXPECT_TRUE(modified);
        EXPECT_EQ(SwapOutUndoItems(list, 0), pass == 0 ? 2 : 0);
    }
    TBitmap img;
    std::optional<TBitmap> m = TBitmap(1, 1, 8);
    TRegionRef r = TRegion::rect({0, 0, 1, 1});
    bool mod = true;
    const TUndoParts parts = GetUndoItem(list, 1, img, m, r, mod);
    EXPECT_TRUE(parts.Region);
    EXPECT_FALSE(parts.Image);
    EXPECT_FALSE(r); // no selection at the time
    EXPECT_TRUE(GetUndoItem(list, 5, img, m, r, mod).empty());
    DeleteUndoItems(list, -3, 99);
    EXPECT_TRUE(list.empty());
}

TEST(UndoList, TakenImageIsHeldWithoutACopyAndSwapsOutLikeACopiedOne)
{
    TUndoList list;
    const TBitmap original = PatternBitmap(13, 7, 8);
    TBitmap taken = original;
    const std::uint8_t* pixels = taken.bits();
    TBitmap mask(13, 7, 8);
    mask.scanLine(6)[12] = 77;
    ASSERT_TRUE(AddUndoItemTaking(list, "taken", taken, &mask, nullptr, false, false));
    EXPECT_TRUE(taken.empty());
    ASSERT_TRUE(AddUndoItemTaking(list, "empty image", taken, nullptr, nullptr, false, false));
    EXPECT_FALSE(list[1]->ImageStream); // nothing to hold

    for (int pass = 0; pass < 2; ++pass) {
        TBitmap image;
        std::optional<TBitmap> outMask;
        TRegionRef region;
        bool modified = true;
        const TUndoParts parts = GetUndoItem(list, 0, image, outMask, region, modified);
        EXPECT_TRUE(parts.Image && parts.Mask && !parts.Region);
        EXPECT_EQ(image, original);
        EXPECT_EQ(image.palette(), original.palette());
        ASSERT_TRUE(outMask);
        EXPECT_EQ(outMask->scanLine(6)[12], 77);
        EXPECT_FALSE(modified);
        if (pass == 0) {
            // Read back as a copy: the held pixels are the ones handed over.
            EXPECT_NE(image.bits(), pixels);
            EXPECT_EQ(SwapOutUndoItems(list, 0), 2);
            EXPECT_TRUE(list[0]->ImageStream->SwappedOut());
        }
    }
}

TEST(Undo, UndoAndRedoOfACommandHandTheImagesOverExactly)
{
    UndoHarness h;
    auto& f = h.form;
    const TBitmap before = PatternBitmap(21, 11, 24);
    f.Canvas()->SetBitmap(before);
    f.Action("acNegativeImage")->trigger();
    const TBitmap negative = f.Canvas()->Bitmap();
    ASSERT_NE(negative, before);
    EXPECT_EQ(negative.pixelColor(3, 4), TColor(0xFFFFFF) - before.pixelColor(3, 4));
    f.Action("acUndo")->trigger();
    EXPECT_EQ(f.Canvas()->Bitmap(), before);
    f.Action("acRedo")->trigger();
    EXPECT_EQ(f.Canvas()->Bitmap(), negative);
    f.Action("acUndo")->trigger();
    f.Action("acRedo")->trigger();
    EXPECT_EQ(f.Canvas()->Bitmap(), negative);
    EXPECT_TRUE(Internals(f).FModified);
}

TEST(Undo, SpillsToTheCacheDirectoryWhenTheTemporaryDirectoryIsInMemory)
{
    struct statfs fs { };
    if (::statfs("/dev/shm", &fs) != 0 || fs.f_type != TMPFS_MAGIC)
        GTEST_SKIP() << "no tmpfs at /dev/shm";
    TempDir cache, disk;
    const QByteArray oldTemp = qgetenv("TMPDIR"), oldCache = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CACHE_HOME", QByteArray::fromStdString(cache.path()));
    qputenv("TMPDIR", "/dev/shm");
    const std::string spill = UndoSpillDirectory();
    std::string spilledTo;
    {
        TTempFileStream file("_KV");
        spilledTo = file.FileName();
        EXPECT_TRUE(file.Write(std::vector<std::uint8_t>(10, 1)));
        EXPECT_TRUE(FileExists(spilledTo));
    }
    EXPECT_FALSE(FileExists(spilledTo)); // removed with the stream, as in the temporary directory
    qputenv("TMPDIR", QByteArray::fromStdString(disk.path()));
    const std::string onDisk = UndoSpillDirectory();
    for (const auto& [name, old] : {std::pair{"TMPDIR", oldTemp}, std::pair{"XDG_CACHE_HOME", oldCache}}) {
        if (old.isNull())
            qunsetenv(name);
        else
            qputenv(name, old);
    }
    EXPECT_EQ(spill, cache.path() + "/kalvo");
    EXPECT_EQ(spilledTo.rfind(cache.path() + "/kalvo/_KV", 0), 0u) << spilledTo;
    EXPECT_EQ(onDisk, disk.path());
}

namespace {

// The idle detector's clock, moved by hand.
struct FakeClock {
    FakeClock()
    {
        TpxIdleTime::SetTickSource([this] { return now; });
    }
    ~FakeClock() { TpxIdleTime::SetTickSource({}); }
    quint32 now = 100000;
};

// Points the temporary directory elsewhere for the life of the object.
struct ScopedTempPath {
    explicit ScopedTempPath(const std::string& path) : old(qgetenv("TMPDIR")) { ::setenv("TMPDIR", path.c_str(), 1); }
    ~ScopedTempPath() { ::setenv("TMPDIR", old.constData(), 1); }
    QByteArray old;
};

int swappedCount(const TKalvoMainForm& form)
{
    const TUndoList& list = Internals(form).FUndoList;
    return int(std::count_if(list.begin(), list.end(), [](const auto& i) { return i->SwappedOut; }));
}

} // namespace

TEST(Undo, FourIdleSecondsMoveAllButTheThreeNewestStepsIntoFiles)
{
    FakeClock clock;
    const auto before = kvFiles();
    {
        UndoHarness h; // its detector starts counting now
        for (int i = 0; i < 6; ++i)
            imageStep(h.form, 100 + i);
        clock.now += 3900;
        QTest::qWait(300);
        EXPECT_EQ(swappedCount(h.form), 0);
        clock.now += 200;
        ASSERT_TRUE(WaitFor([&] { return swappedCount(h.form) == 3; }));
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(Internals(h.form).FUndoList[std::size_t(i)]->SwappedOut, i < 3) << i;
        EXPECT_EQ(kvFiles().size(), before.size() + 3);
        EXPECT_TRUE(h.messages.shown.empty());
    }
    EXPECT_EQ(kvFiles(), before);
}

TEST(Undo, AnIdleSwapThatFailsShowsItsMessageOnceAndKeepsTheSteps)
{
    FakeClock clock;
    TempDir dir;
    WriteAll(dir.file("not-a-folder"), {1});
    UndoHarness h;
    for (int i = 0; i < 5; ++i)
        imageStep(h.form, 100 + i);
    {
        ScopedTempPath noTemp(dir.file("not-a-folder"));
        clock.now += 4100;
        ASSERT_TRUE(WaitFor([&] { return !h.messages.shown.empty(); }));
        QTest::qWait(500); // five more reports of the same idle period
        ASSERT_EQ(h.messages.shown.size(), 1u);
        EXPECT_EQ(h.messages.shown[0].text, QStringLiteral("一時ファイルストリームの生成エラー"));
        EXPECT_EQ(swappedCount(h.form), 0);
    }
    // Input starts a new idle period, which tries again.
    QTest::keyClick(&h.form, Qt::Key_Shift);
    clock.now += 4100;
    ASSERT_TRUE(WaitFor([&] { return swappedCount(h.form) == 2; }));
    EXPECT_EQ(h.messages.shown.size(), 1u);
    for (int i = 0; i < 5; ++i)
        h.form.Action("acUndo")->trigger();
    EXPECT_EQ(shade(h.form), 10);
}
