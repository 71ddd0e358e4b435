#include "MainWindowHarness.h"
#include "app/files/PictureLoad.h"
#include "app/mainform/MainForm.h"
#include "canvas/PxImage.h"
#include "codecs/bmp/BmpFormat.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QTest>

#include <algorithm>
#include <filesystem>

using namespace kalvo;
using namespace kalvo::test;

namespace {

QString q(const std::string& s)
{
    return QString::fromStdString(s);
}

std::string writeBmp(const TempDir& dir, const std::string& name, int w = 8, int h = 6, int bits = 24)
{
    const std::string path = dir.file(name);
    WriteAll(path, BmpBytes(PatternBitmap(w, h, bits)));
    return path;
}

} // namespace

TEST(MainFormFile, StartsEmptyWithPlainTitleAndSavingDisabled)
{
    Harness h;
    EXPECT_EQ(h.form.windowTitle(), "Kalvo");
    EXPECT_FALSE(h.form.Canvas()->HasImage());
    EXPECT_FALSE(h.form.Action("acSave")->isEnabled());
    EXPECT_FALSE(h.form.Action("acSaveAs")->isEnabled());
    EXPECT_TRUE(h.form.Action("acOpen")->isEnabled());
    EXPECT_FALSE(Internals(h.form).FModified);
}

TEST(MainFormFile, OpenShowsTheImageAndItsNameInTheTitle)
{
    TempDir dir;
    const auto path = writeBmp(dir, "photo.BMP", 13, 7, 8);
    Harness h;
    h.dialogs->openAnswers.push_back(q(path));
    h.form.Action("acOpen")->trigger();
    ASSERT_TRUE(h.form.Canvas()->HasImage());
    EXPECT_EQ(h.form.windowTitle(), "photo.BMP - Kalvo");
    EXPECT_EQ(h.form.Canvas()->Bitmap().width(), 13);
    EXPECT_EQ(h.form.Canvas()->BitCount(), 8);
    EXPECT_EQ(Internals(h.form).FFileInfo.Result, 0);
    EXPECT_TRUE(h.form.Action("acSave")->isEnabled());
    EXPECT_TRUE(h.messages.shown.empty());
}

TEST(MainFormFile, OpenFailuresKeepThePreviousImageAndName)
{
    TempDir dir;
    const auto good = writeBmp(dir, "good.bmp", 5, 5);
    WriteAll(dir.file("bad.bmp"), {'B', 'M', 1, 2, 3});
    WriteAll(dir.file("x.txt"), {'h', 'i'});
    Harness h;
    ASSERT_TRUE(h.form.OpenImageFile(q(good)));

    EXPECT_FALSE(h.form.OpenImageFile(q(dir.file("missing.bmp"))));
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text, "ファイル missing.bmp は存在しません．");
    EXPECT_EQ(h.messages.shown[0].flags, 48);

    EXPECT_FALSE(h.form.OpenImageFile(q(dir.file("bad.bmp"))));
    ASSERT_EQ(h.messages.shown.size(), 2u);
    EXPECT_EQ(h.messages.shown[1].text, "ファイル bad.bmp が開けませんでした．");
    EXPECT_EQ(h.messages.shown[1].flags, 16);

    EXPECT_FALSE(h.form.OpenImageFile(q(dir.file("x.txt"))));
    EXPECT_EQ(h.messages.shown.back().text, "ファイル x.txt が開けませんでした．");

    EXPECT_EQ(h.form.FileName(), q(good));
    EXPECT_EQ(h.form.windowTitle(), "good.bmp - Kalvo");
    EXPECT_EQ(h.form.Canvas()->Bitmap().width(), 5);
}

TEST(MainFormFile, SaveWritesTheFileAndClearsTheModifiedFlag)
{
    TempDir dir;
    const auto path = writeBmp(dir, "a.bmp", 9, 4, 4);
    Harness h;
    ASSERT_TRUE(h.form.OpenImageFile(q(path)));
    WriteAll(path, {}); // the saved file must replace this
    Internals(h.form).FModified = true;
    h.form.show();
    h.form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&h.form));
    QTest::keyClick(&h.form, Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(Internals(h.form).FModified);
    EXPECT_TRUE(Internals(h.form).FSavedSinceLoad);
    EXPECT_EQ(ReadBmp(ReadAll(path)), h.form.Canvas()->Bitmap());
    EXPECT_EQ(h.dialogs->saveDialogsShown, 0);
}

TEST(MainFormFile, SaveAsPreselectsTypeAndProposesNameWithoutExtension)
{
    TempDir dir;
    const auto path = writeBmp(dir, "photo.BMP");
    Harness h;
    ASSERT_TRUE(h.form.OpenImageFile(q(path)));
    Internals(h.form).FSaveFilterIndex = 4;
    h.dialogs->saveAnswers.push_back(q(dir.file("copy.bmp")));
    Internals(h.form).FModified = true;
    h.form.Action("acSaveAs")->trigger();
    EXPECT_EQ(h.dialogs->lastSaveFilterIndex, 1);
    EXPECT_EQ(h.dialogs->lastProposedName, q(dir.file("photo")));
    EXPECT_EQ(h.form.windowTitle(), "copy.bmp - Kalvo");
    EXPECT_FALSE(Internals(h.form).FModified);
    EXPECT_TRUE(FileExists(dir.file("copy.bmp")));
}

TEST(MainFormFile, FailedSaveAsKeepsOldNameAndLeavesNoFileBehind)
{
    TempDir dir;
    const auto path = writeBmp(dir, "a.bmp");
    const auto before = ReadAll(path);
    Harness h;
    ASSERT_TRUE(h.form.OpenImageFile(q(path)));
    Internals(h.form).FModified = true;
    // A directory stands where the file would go: the final rename fails.
    std::filesystem::create_directory(dir.file("taken.bmp"));
    h.dialogs->saveAnswers.push_back(q(dir.file("taken.bmp")));
    h.form.Action("acSaveAs")->trigger();
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text, "保存に失敗しました．");
    EXPECT_EQ(h.messages.shown[0].flags, 16);
    EXPECT_EQ(h.form.FileName(), q(path));
    EXPECT_TRUE(Internals(h.form).FModified);
    auto names = ListDir(dir.path());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a.bmp", "taken.bmp"}));
    EXPECT_EQ(ReadAll(path), before);
}

TEST(MainFormFile, SaveFallsBackToSaveAsWhenItCannotWrite)
{
    TempDir dir;
    const auto path = writeBmp(dir, "a.bmp");
    Harness h;
    ASSERT_TRUE(h.form.OpenImageFile(q(path)));
    std::filesystem::remove(path);
    std::filesystem::create_directory(path); // saving over it now fails
    Internals(h.form).FModified = true;
    h.dialogs->saveAnswers.push_back(QString()); // the user cancels Save As
    h.form.Action("acSave")->trigger();
    EXPECT_EQ(h.dialogs->saveDialogsShown, 1);
    EXPECT_TRUE(h.messages.shown.empty()); // Save itself says nothing
    EXPECT_TRUE(Internals(h.form).FModified);
}

TEST(MainFormFile, ClosePromptAnswers)
{
    TempDir dir;
    const auto path = writeBmp(dir, "a.bmp");
    {
        Harness h;
        ASSERT_TRUE(h.form.OpenImageFile(q(path)));
        h.form.show();
        Internals(h.form).FModified = true;
        h.messages.answers.push_back(IDCANCEL);
        EXPECT_FALSE(h.form.close());
        EXPECT_TRUE(h.form.isVisible());
        ASSERT_EQ(h.messages.shown.size(), 1u);
        EXPECT_EQ(h.messages.shown[0].text, "イメージは変更されています．保存しますか？");
        EXPECT_EQ(h.messages.shown[0].flags, 51);

        h.messages.answers.push_back(IDNO);
        EXPECT_TRUE(h.form.close());
    }
    {
        Harness h;
        ASSERT_TRUE(h.form.OpenImageFile(q(path)));
        h.form.show();
        WriteAll(path, {});
        Internals(h.form).FModified = true;
        h.messages.answers.push_back(IDYES);
        EXPECT_TRUE(h.form.close());
        EXPECT_EQ(ReadBmp(ReadAll(path)), h.form.Canvas()->Bitmap());
    }
}

TEST(MainFormFile, YesToThePromptThenCancelledSaveAsKeepsTheWindowOpen)
{
    TempDir dir;
    const auto path = writeBmp(dir, "a.bmp");
    Harness h;
    ASSERT_TRUE(h.form.OpenImageFile(q(path)));
    h.form.show();
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    Internals(h.form).FModified = true;
    h.messages.answers.push_back(IDYES);
    h.dialogs->saveAnswers.push_back(QString());
    EXPECT_FALSE(h.form.close());
    EXPECT_TRUE(h.form.isVisible());
    EXPECT_TRUE(Internals(h.form).FModified);
}

TEST(MainFormFile, OpeningOverAModifiedImageAsksFirst)
{
    TempDir dir;
    const auto a = writeBmp(dir, "a.bmp", 3, 3);
    const auto b = writeBmp(dir, "b.bmp", 4, 4);
    Harness h;
    ASSERT_TRUE(h.form.OpenImageFile(q(a)));
    Internals(h.form).FModified = true;
    h.messages.answers.push_back(IDCANCEL);
    EXPECT_FALSE(h.form.OpenImageFile(q(b)));
    EXPECT_EQ(h.form.Canvas()->Bitmap().width(), 3);
    h.messages.answers.push_back(IDNO);
    EXPECT_TRUE(h.form.OpenImageFile(q(b)));
    EXPECT_EQ(h.form.Canvas()->Bitmap().width(), 4);
    EXPECT_FALSE(Internals(h.form).FModified);
}

TEST(MainFormFile, ModernFormatsOpenAndTheirDamagedFilesFailWithTheMessage)
{
    const std::string data = KALVO_TEST_DATA;
    Harness h;
    for (const char* name : {"/tiff/pal4-none.tif", "/heif/alpha.avif", "/webp/lossless_alpha.webp"}) {
        ASSERT_TRUE(h.form.OpenImageFile(q(data + name))) << name;
        EXPECT_EQ(h.form.Canvas()->Bitmap().height(), name[1] == 't' ? 21 : 17);
    }
    EXPECT_TRUE(h.messages.shown.empty());
    for (const char* name : {"webp-truncated-data.webp", "webp-lying-canvas-size.webp", "tiff-truncated-strip.tif",
                             "tiff-lying-size.tif", "heic-truncated-data.heic", "avif-bitflip-ftyp.avif"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(h.form.OpenImageFile(q(data + "/malformed/" + name)));
        EXPECT_EQ(h.messages.shown.back().text, QStringLiteral("ファイル %1 が開けませんでした．").arg(name));
        EXPECT_EQ(h.form.FileName(), q(data + "/webp/lossless_alpha.webp"));
    }
}

TEST(MainFormFile, OpenTakesTheReadStartedAtStartUp)
{
    TempDir dir;
    const auto path = writeBmp(dir, "started.bmp", 11, 3, 8);
    WriteAll(dir.file("bad.bmp"), {'B', 'M', 1, 2, 3});
    Harness h;
    TPictureLoad started(path);
    ASSERT_TRUE(h.form.OpenImageFile(q(path), &started));
    EXPECT_EQ(h.form.Canvas()->Bitmap(), ReadBmp(ReadAll(path)));
    EXPECT_EQ(h.form.windowTitle(), "started.bmp - Kalvo");
    EXPECT_EQ(h.form.FileInfo().Width, 11);

    // A read that failed gives the open's message and keeps the picture.
    TPictureLoad failed(dir.file("bad.bmp"));
    EXPECT_FALSE(h.form.OpenImageFile(q(dir.file("bad.bmp")), &failed));
    EXPECT_EQ(h.messages.shown.back().text, "ファイル bad.bmp が開けませんでした．");
    EXPECT_EQ(h.form.FileName(), q(path));
    EXPECT_EQ(h.form.Canvas()->Bitmap().width(), 11);
}
